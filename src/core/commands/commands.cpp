#include "commands.h"

#include "calibration_entry.h"
#include "command_menu.h"
#include "command_shell.h"
#include "command_texts.h"
#include "core/settings/setting_values.h"
#include "core/shell.h"

#include <algorithm>
#include <string>

Commands::Commands(RulerWindow &ruler, Shell &window, CommandShell &shell,
                   const RulerSettings &settings)
    : m_ruler(ruler)
    , m_window(window)
    , m_shell(shell)
    , m_settings(settings)
{}

void Commands::run(const MenuEntry &entry)
{
    switch (entry.command) {
    case MenuCommand::ScaleMode:
        mnuScaleMode_Click(entry.index);
        break;
    case MenuCommand::Move:
        mnuMove_Click(entry.index);
        break;
    case MenuCommand::Tran:
        mnuTran_Click(entry.index);
        break;
    case MenuCommand::AlwaysOnTop:
        mnuAlwaysOnTop_Click();
        break;
    case MenuCommand::Taskbar:
        mnuTaskbar_Click();
        break;
    case MenuCommand::Color:
        mnuColor_Click();
        break;
    case MenuCommand::Direction:
        mnuDirection_Click(entry.index);
        break;
    case MenuCommand::Size:
        mnuSize_Click(entry.index);
        break;
    case MenuCommand::Revise:
        mnuRevise_Click();
        break;
    case MenuCommand::About:
        mnuAbout_Click();
        break;
    case MenuCommand::Help:
        mnuHelp_Click();
        break;
    case MenuCommand::Quit:
        mnuQuit_Click();
        break;
    }
}

void Commands::mnuScaleMode_Click(int Index)
{
    m_state.unit.mark(Index);
    m_settings.write(SettingsKey::ScaleMode, scaleModeTextForIndex(Index));
    m_ruler.DrawRuler(unitCodeForIndex(Index));
}

void Commands::mnuDirection_Click(int Index)
{
    m_state.direction.mark(Index);
    if (Index == 0)
        m_settings.write(SettingsKey::Direction, "0");
    else if (Index == 1)
        m_settings.write(SettingsKey::Direction, "90");
    m_ruler.IsDirection = true;
    m_ruler.Form_Resize();
}

void Commands::mnuSize_Click(int Index)
{
    m_state.size.mark(Index);
    // The physical scale goes ahead uncalibrated, after the tip says how to calibrate.
    if (Index == 1 && calibrationOf(m_settings.read(SettingsKey::Revision)) == 0)
        m_shell.showTextBox(CommandTexts::tipCaption, CommandTexts::uncalibratedTip,
                            m_state.alwaysOnTop);
    m_settings.write(SettingsKey::SizeMode, std::to_string(Index));
    m_ruler.Form_Resize();
}

void Commands::mnuTran_Click(int Index)
{
    if (Index != 1 && Index != 2)
        return;
    const int current = opacityOf(m_settings.read(SettingsKey::Transparent));
    const int opacity = Index == 1 ? std::max(current - 10, 0) : std::min(current + 10, 255);
    m_window.setOpacity(opacity);
    m_settings.write(SettingsKey::Transparent, std::to_string(opacity));
}

void Commands::mnuMove_Click(int Index)
{
    // 100 twips in every direction; the fine step is on the keyboard only.
    constexpr double step = 100;
    const double left = m_ruler.leftTwips();
    const double top = m_ruler.topTwips();
    switch (Index) {
    case 1:
        m_ruler.moveTwips(left, top - step);
        break;
    case 2:
        m_ruler.moveTwips(left, top + step);
        break;
    case 3:
        m_ruler.moveTwips(left - step, top);
        break;
    case 4:
        m_ruler.moveTwips(left + step, top);
        break;
    default:
        break;
    }
}

void Commands::mnuAlwaysOnTop_Click()
{
    m_state.alwaysOnTop = !m_state.alwaysOnTop;
    m_window.setTopmost(m_state.alwaysOnTop);
    m_settings.write(SettingsKey::AlwaysOnTop, booleanText(m_state.alwaysOnTop));
}

void Commands::mnuTaskbar_Click()
{
    // The window takes the new state when it next loads.
    m_state.taskbar = !m_state.taskbar;
    m_settings.write(SettingsKey::ShowInTaskBar, booleanText(m_state.taskbar));
}

void Commands::mnuColor_Click()
{
    m_shell.showColorDialog(m_state.alwaysOnTop);
}

void Commands::mnuRevise_Click()
{
    runCalibrationEntry(*this, m_ruler, m_window, m_shell, m_settings);
}

void Commands::mnuAbout_Click()
{
    m_shell.showAboutBox(m_state.alwaysOnTop);
}

void Commands::mnuHelp_Click()
{
    m_shell.showTextBox(CommandTexts::helpCaption, CommandTexts::help, m_state.alwaysOnTop);
}

void Commands::mnuQuit_Click()
{
    m_shell.quit();
}
