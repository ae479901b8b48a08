#include "form_menu.h"

#include "app/wide_text.h"
#include "core/commands/about_text.h"
#include "core/commands/command_menu.h"
#include "dialogs/about_box.h"
#include "dialogs/color_dialog.h"
#include "dialogs/input_box.h"
#include "ruler/ruler_window.h"

#include <span>

namespace {

// An item's command identifier is its place in the description, counted
// from 1: TrackPopupMenu returns 0 when nothing was chosen.
UINT idOf(size_t place)
{
    return UINT(place + 1);
}

// An item that shares its command with its neighbours is one of a group, of
// which one is marked: it shows a radio mark rather than a tick.
bool isInGroup(std::span<const MenuEntry> entries, size_t place)
{
    const MenuEntry &entry = entries[place];
    const auto sameCommand = [&](size_t other) {
        return !entries[other].isSeparator() && entries[other].command == entry.command;
    };
    return entry.checkable && ((place > 0 && sameCommand(place - 1)) ||
                               (place + 1 < entries.size() && sameCommand(place + 1)));
}

} // namespace

FormMenu::FormMenu(Form1 &ruler)
    : m_ruler(ruler)
    , m_commands(ruler.behaviour(), ruler, *this, ruler.settings())
    , m_mnuRight(CreatePopupMenu())
{
    const std::span<const MenuEntry> entries = commandMenu();
    for (size_t place = 0; place < entries.size(); ++place) {
        const MenuEntry &entry = entries[place];
        if (entry.isSeparator()) {
            AppendMenuW(m_mnuRight, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::wstring caption = wideFromUtf8(entry.caption);
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.fType = MFT_STRING | (isInGroup(entries, place) ? MFT_RADIOCHECK : 0);
        item.wID = idOf(place);
        item.dwTypeData = const_cast<wchar_t *>(caption.c_str());
        InsertMenuItemW(m_mnuRight, UINT(place), TRUE, &item);
    }
}

FormMenu::~FormMenu()
{
    DestroyMenu(m_mnuRight);
}

void FormMenu::showCheckMarks()
{
    const std::span<const MenuEntry> entries = commandMenu();
    for (size_t place = 0; place < entries.size(); ++place) {
        if (entries[place].checkable)
            CheckMenuItem(
                m_mnuRight, idOf(place),
                MF_BYCOMMAND |
                    (isChecked(entries[place], m_commands.state()) ? MF_CHECKED : MF_UNCHECKED));
    }
}

void FormMenu::popup(POINT at)
{
    showCheckMarks();
    HWND owner = m_ruler.hwnd();
    // The menu closes on a click elsewhere only if its owner is in front.
    SetForegroundWindow(owner);
    const UINT chosen = UINT(
        TrackPopupMenu(m_mnuRight, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
    // A message of its own to the owner, so that a menu closed by a click
    // elsewhere ends its loop at once rather than at the owner's next message.
    PostMessageW(owner, WM_NULL, 0, 0);
    const std::span<const MenuEntry> entries = commandMenu();
    if (chosen >= idOf(0) && chosen <= idOf(entries.size() - 1))
        m_commands.run(entries[chosen - idOf(0)]);
}

void FormMenu::showAboutBox(bool topmost)
{
    FormAbout box;
    box.show(m_ruler.hwnd(), topmost);
}

void FormMenu::showTextBox(std::string_view caption, std::string_view text, bool topmost)
{
    FormAbout box;
    box.setCaption(caption);
    box.setLabel2Text(text);
    box.show(m_ruler.hwnd(), topmost);
}

void FormMenu::showColorDialog(bool topmost)
{
    Form2 dialog(m_ruler);
    dialog.show(topmost);
}

std::string FormMenu::askText(std::string_view prompt, std::string_view defaultText, bool topmost)
{
    InputBox box(AboutText::productTitle, prompt, defaultText);
    return box.ask(m_ruler.hwnd(), topmost);
}

void FormMenu::quit()
{
    m_ruler.close();
}
