#pragma once

#include "core/command_state.h"
#include "core/ruler/ruler_window.h"

class CommandShell;
class Shell;
struct MenuEntry;

// Every command of the ruler's popup menu, and the command state whose
// marks the menu shows. Each command changes one choice, writes it to
// ruler.ini at once and has the ruler window lay itself out or repaint.
class Commands : public RulerCommands
{
public:
    Commands(RulerWindow &ruler, Shell &window, CommandShell &shell,
             const RulerSettings &settings);

    CommandState &state() override { return m_state; }
    // Runs the command that a menu item stands for.
    void run(const MenuEntry &entry);

    // The unit command: marks the unit item, stores the unit and repaints
    // (1 pixels, 2 inches, any other index millimetres).
    void mnuScaleMode_Click(int Index) override;
    void mnuDirection_Click(int Index);
    void mnuSize_Click(int Index);
    void mnuTran_Click(int Index) override;
    void mnuMove_Click(int Index);
    // The two switches: each turns its choice over.
    void mnuAlwaysOnTop_Click();
    void mnuTaskbar_Click();
    void mnuColor_Click();
    void mnuRevise_Click();
    void mnuAbout_Click();
    void mnuHelp_Click();
    void mnuQuit_Click();

private:
    RulerWindow &m_ruler;
    Shell &m_window;
    CommandShell &m_shell;
    const RulerSettings &m_settings;
    CommandState m_state;
};
