#include "form_menu.h"

#include "core/commands/command_texts.h"

#include "app/window_services.h"
#include "calibration_entry.h"
#include "core/settings/setting_values.h"
#include "dialogs/about_box.h"
#include "dialogs/color_dialog.h"
#include "ruler/ruler_window.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

#include <string>

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

FormMenu::FormMenu(Form1 &ruler)
    : m_ruler(ruler)
    , m_mnuRight(std::make_unique<QMenu>(QStringLiteral("右键菜单"), &ruler))
{
    for (const MenuEntry &entry : commandMenu()) {
        if (entry.isSeparator()) {
            m_items.append(m_mnuRight->addSeparator());
            continue;
        }
        QAction *item = m_mnuRight->addAction(fromUtf8(entry.caption));
        item->setCheckable(entry.checkable);
        connect(item, &QAction::triggered, this, [this, &entry] { run(entry); });
        m_items.append(item);
    }
    connect(m_mnuRight.get(), &QMenu::aboutToShow, this, &FormMenu::showCheckMarks);
}

FormMenu::~FormMenu() = default;

QAction *FormMenu::item(MenuCommand command, int index) const
{
    const std::span<const MenuEntry> entries = commandMenu();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].isSeparator() && entries[i].command == command &&
            entries[i].index == index)
            return m_items[qsizetype(i)];
    }
    return nullptr;
}

void FormMenu::showCheckMarks()
{
    const std::span<const MenuEntry> entries = commandMenu();
    for (size_t i = 0; i < entries.size(); ++i)
        m_items[qsizetype(i)]->setChecked(isChecked(entries[i], m_state));
}

void FormMenu::run(const MenuEntry &entry)
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
        return; // the menu is gone with the ruler
    }
    // Qt flipped the chosen item's own mark; the state says where the marks go.
    showCheckMarks();
}

void FormMenu::popup(QPoint globalPosition)
{
    m_mnuRight->popup(globalPosition);
}

void FormMenu::mnuScaleMode_Click(int Index)
{
    m_state.unit.mark(Index);
    m_ruler.settings().write(SettingsKey::ScaleMode, scaleModeTextForIndex(Index));
    m_ruler.behaviour().DrawRuler(unitCodeForIndex(Index));
}

void FormMenu::mnuDirection_Click(int Index)
{
    m_state.direction.mark(Index);
    if (Index == 0)
        m_ruler.settings().write(SettingsKey::Direction, "0");
    else if (Index == 1)
        m_ruler.settings().write(SettingsKey::Direction, "90");
    m_ruler.behaviour().IsDirection = true;
    m_ruler.behaviour().Form_Resize();
}

void FormMenu::mnuSize_Click(int Index)
{
    m_state.size.mark(Index);
    // The physical scale goes ahead uncalibrated, after the tip says how to calibrate.
    if (Index == 1 && calibrationOf(m_ruler.settings().read(SettingsKey::Revision)) == 0)
        showInAboutBox(CommandTexts::tipCaption, CommandTexts::uncalibratedTip);
    m_ruler.settings().write(SettingsKey::SizeMode, std::to_string(Index));
    m_ruler.behaviour().Form_Resize();
}

void FormMenu::mnuTran_Click(int Index)
{
    if (Index != 1 && Index != 2)
        return;
    const int current = opacityOf(m_ruler.settings().read(SettingsKey::Transparent));
    const int opacity = Index == 1 ? std::max(current - 10, 0) : std::min(current + 10, 255);
    SetWindowAlpha(&m_ruler, opacity);
    m_ruler.settings().write(SettingsKey::Transparent, std::to_string(opacity));
}

void FormMenu::mnuMove_Click(int Index)
{
    // 100 twips in every direction; the fine step is on the keyboard only.
    constexpr double step = 100;
    RulerWindow &ruler = m_ruler.behaviour();
    const double left = ruler.leftTwips();
    const double top = ruler.topTwips();
    switch (Index) {
    case 1:
        ruler.moveTwips(left, top - step);
        break;
    case 2:
        ruler.moveTwips(left, top + step);
        break;
    case 3:
        ruler.moveTwips(left - step, top);
        break;
    case 4:
        ruler.moveTwips(left + step, top);
        break;
    default:
        break;
    }
}

void FormMenu::mnuAlwaysOnTop_Click()
{
    m_state.alwaysOnTop = !m_state.alwaysOnTop;
    const bool topmost = m_state.alwaysOnTop;
    setTopmost(&m_ruler, topmost);
    m_ruler.settings().write(SettingsKey::AlwaysOnTop, booleanText(topmost));
}

void FormMenu::mnuTaskbar_Click()
{
    // The window takes the new state when it next loads.
    m_state.taskbar = !m_state.taskbar;
    m_ruler.settings().write(SettingsKey::ShowInTaskBar, booleanText(m_state.taskbar));
}

int FormMenu::showModal(QDialog &dialog)
{
    if (m_state.alwaysOnTop)
        setTopmost(&dialog, true);
    return dialog.exec();
}

void FormMenu::showInAboutBox(std::string_view caption, std::string_view text)
{
    FormAbout box(&m_ruler);
    box.setWindowTitle(fromUtf8(caption));
    box.Label2()->setText(fromUtf8(text));
    showModal(box);
}

void FormMenu::mnuColor_Click()
{
    Form2 dialog(m_ruler);
    showModal(dialog);
}

void FormMenu::mnuRevise_Click()
{
    runCalibrationEntry(*this, m_ruler);
}

void FormMenu::mnuAbout_Click()
{
    FormAbout box(&m_ruler);
    showModal(box);
}

void FormMenu::mnuHelp_Click()
{
    showInAboutBox(CommandTexts::helpCaption, CommandTexts::help);
}

void FormMenu::mnuQuit_Click()
{
    m_mnuRight->close();
    m_ruler.close();
}
