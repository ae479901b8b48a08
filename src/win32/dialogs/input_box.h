#pragma once

#include "modal_dialog.h"

#include <string>
#include <string_view>

// A one-line input box: a prompt, a text box that opens with a default text,
// and 确定 and 取消. It stands above its owner, the ruler, never over it.
class InputBox : private ModalDialog
{
public:
    // UTF-8 texts; "\r\n" breaks the prompt's lines.
    InputBox(std::string_view title, std::string_view prompt, std::string_view defaultText);

    // The typed text once the box has closed, empty when it was cancelled.
    std::string ask(HWND owner, bool topmost);

private:
    bool onInit() override;
    void onCommand(int id, int code) override;
    // The prompt's height in pixels, wrapped at the given width.
    int promptHeight(int width) const;
    void standAbove(HWND ruler);

    std::wstring m_title;
    std::wstring m_prompt;
    std::wstring m_text;
};
