#pragma once

#include "core/commands/command_shell.h"
#include "core/commands/commands.h"

#include <windows.h>

class Form1;

// The hidden form that carries the ruler's one popup menu: the core's
// description made into a Win32 popup menu whose check marks show the
// command state when it opens, and the Win32 side of the commands' boxes.
// Every choice goes to the core's Commands in one call.
class FormMenu : private CommandShell
{
public:
    explicit FormMenu(Form1 &ruler);
    ~FormMenu() override;
    FormMenu(const FormMenu &) = delete;
    FormMenu &operator=(const FormMenu &) = delete;

    Commands &commands() { return m_commands; }

    // Opens the menu at a point of the screen and runs the command chosen.
    void popup(POINT at);

private:
    void showAboutBox(bool topmost) override;
    void showTextBox(std::string_view caption, std::string_view text, bool topmost) override;
    void showColorDialog(bool topmost) override;
    std::string askText(std::string_view prompt, std::string_view defaultText,
                        bool topmost) override;
    void quit() override;

    // Puts every item's check mark where the command state has it.
    void showCheckMarks();

    Form1 &m_ruler;
    Commands m_commands;
    HMENU m_mnuRight = nullptr;
};
