#pragma once

#include "core/commands/command_shell.h"
#include "core/shell.h"
#include "fake_text_measure.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class RulerWindow;

// A window system with no display: one 800 x 600 screen at 96 dpi, 15 twips
// to the pixel, one device pixel to the logical one, and a font whose
// characters all have one width. It keeps the ruler window's rectangle and
// records what the core asks of it.
class FakeShell : public Shell, public CommandShell
{
public:
    // A box as it opened.
    struct TextBox
    {
        std::string caption;
        std::string text;
        bool topmost = false;
    };
    struct InputBox
    {
        std::string prompt;
        std::string defaultText;
        bool topmost = false;
    };

    Rect windowGeometry() const override { return window; }
    void moveWindow(Point topLeft) override;
    // A change of size lays the ruler out at once, as a real window's resize
    // event does.
    void resizeWindow(Size size) override;
    std::vector<Rect> screens() const override { return {screen}; }
    Rect desktop() const override { return screen; }
    Rect windowScreen() const override { return screen; }
    double twipsPerPixel() const override { return 15; }
    double devicePixelRatio() const override { return 1; }
    void setOpacity(int alpha) override { opacity = alpha; }
    void setTopmost(bool on) override { topmost = on; }
    void setTaskbarPresence(bool show) override { taskbar = show; }
    void placeGrip(Rect area) override { grip = area; }
    void showPicture() override { ++picturesShown; }
    const TextMeasure &textMeasure() override { return measure; }

    void showAboutBox(bool topmost) override { aboutBoxes.push_back(topmost); }
    void showTextBox(std::string_view caption, std::string_view text, bool topmost) override;
    void showColorDialog(bool topmost) override { colorDialogs.push_back(topmost); }
    std::string askText(std::string_view prompt, std::string_view defaultText,
                        bool topmost) override;
    void quit() override { quitAsked = true; }

    // The window that resizeWindow lays out.
    RulerWindow *ruler = nullptr;
    Rect screen{0, 0, 800, 600};
    Rect window;
    FakeTextMeasure measure;

    std::optional<int> opacity;
    std::optional<bool> topmost;
    std::optional<bool> taskbar;
    Rect grip;
    int picturesShown = 0;
    std::vector<bool> aboutBoxes; // each one's topmost
    std::vector<TextBox> textBoxes;
    std::vector<bool> colorDialogs; // each one's topmost
    std::vector<InputBox> inputBoxes;
    // What the user types into the input box, while it is open; the empty
    // text, as without an answer, cancels it.
    std::function<std::string()> answer;
    bool quitAsked = false;
};
