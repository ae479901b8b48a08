#pragma once

#include <string>
#include <string_view>

// What the commands ask of the window system beyond the ruler window: the
// modal boxes and the end of the program. Each box returns once it has
// closed; where `topmost`, it floats above other windows as the ruler does.
// Texts are UTF-8.
class CommandShell
{
public:
    virtual ~CommandShell() = default;

    virtual void showAboutBox(bool topmost) = 0;
    // The about box with another caption and text: the help and the tip.
    virtual void showTextBox(std::string_view caption, std::string_view text, bool topmost) = 0;
    virtual void showColorDialog(bool topmost) = 0;
    // The calibration's one-line input box, titled with the program's title
    // and standing clear of the ruler: the typed text, empty when cancelled.
    virtual std::string askText(std::string_view prompt, std::string_view defaultText,
                                bool topmost) = 0;
    // Closes the menu and the ruler window; the program ends.
    virtual void quit() = 0;
};
