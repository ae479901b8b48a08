#pragma once

#include "modal_dialog.h"

#include <string>
#include <string_view>

// The about box, which also serves as the help window and the calibration
// tip. An opener makes one for every opening, may replace its caption and the
// text of Label2, and shows it:
//
//     FormAbout box;
//     box.setCaption("帮助");
//     box.setLabel2Text(helpText);
//     box.show(ruler, topmost);
//
// Every opening thus starts again with the caption "关于" and the about text.
class FormAbout : private ModalDialog
{
public:
    FormAbout();
    ~FormAbout() override;

    // UTF-8; "\r\n" breaks a line, and long lines wrap.
    void setCaption(std::string_view caption);
    void setLabel2Text(std::string_view text);

    // Returns when the box has closed.
    void show(HWND owner, bool topmost);

private:
    void Form_Load();
    bool onInit() override;
    void onCommand(int id, int code) override;
    void fitLabel2Text();

    std::wstring m_caption;
    std::wstring m_label2Text;
    HFONT m_label2Font = nullptr; // made smaller where the text needs it
};
