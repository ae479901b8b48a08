#pragma once

#include "core/commands/command_menu.h"
#include "core/commands/command_shell.h"
#include "core/commands/commands.h"

#include <QList>
#include <QObject>
#include <QPoint>

#include <memory>

class Form1;
class QAction;
class QDialog;
class QMenu;

// The hidden form that carries the ruler's one popup menu: the core's
// description drawn as a QMenu whose check marks show the command state,
// and the Qt side of the commands' boxes. Every choice goes to the core's
// Commands in one call.
class FormMenu : public QObject, private CommandShell
{
    Q_OBJECT
public:
    explicit FormMenu(Form1 &ruler);
    ~FormMenu() override;

    Commands &commands() { return m_commands; }
    QMenu *mnuRight() const { return m_mnuRight.get(); }
    // The item that runs command with index; nullptr when there is none.
    QAction *item(MenuCommand command, int index = 0) const;

    void popup(QPoint globalPosition);

    // Runs one of the ruler's dialogs to its end, above other windows where
    // topmost; returns what exec() returns.
    static int showModal(QDialog &dialog, bool topmost);

private:
    void showAboutBox(bool topmost) override;
    void showTextBox(std::string_view caption, std::string_view text, bool topmost) override;
    void showColorDialog(bool topmost) override;
    std::string askText(std::string_view prompt, std::string_view defaultText,
                        bool topmost) override;
    void quit() override;

    void run(const MenuEntry &entry);
    // Puts every item's check mark where the command state has it.
    void showCheckMarks();

    Form1 &m_ruler;
    Commands m_commands;
    // A child of the ruler window, so that it opens over it, but owned here.
    std::unique_ptr<QMenu> m_mnuRight;
    // One per entry of the description, separators included, in its order.
    QList<QAction *> m_items;
};
