#include "fake_shell.h"

#include "core/ruler/ruler_window.h"

void FakeShell::moveWindow(Point topLeft)
{
    window.x = topLeft.x;
    window.y = topLeft.y;
}

void FakeShell::resizeWindow(Size size)
{
    if (size.width == window.width && size.height == window.height)
        return;
    window.width = size.width;
    window.height = size.height;
    if (ruler)
        ruler->Form_Resize();
}

void FakeShell::showTextBox(std::string_view caption, std::string_view text, bool topmost)
{
    textBoxes.push_back({std::string(caption), std::string(text), topmost});
}

std::string FakeShell::askText(std::string_view prompt, std::string_view defaultText, bool topmost)
{
    inputBoxes.push_back({std::string(prompt), std::string(defaultText), topmost});
    return answer ? answer() : std::string();
}
