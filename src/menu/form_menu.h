#pragma once

#include "core/commands/command_menu.h"
#include "core/command_state.h"
#include "core/ruler/ruler_window.h"

#include <QList>
#include <QObject>
#include <QPoint>

#include <memory>

class Form1;
class QAction;
class QDialog;
class QMenu;

// The hidden form that carries the ruler's one popup menu and its commands.
// The menu is drawn from the core's description; its check marks show the
// command state, which the ruler window sets when it loads and from then on
// only the commands change.
class FormMenu : public QObject, public RulerCommands
{
    Q_OBJECT
public:
    explicit FormMenu(Form1 &ruler);
    ~FormMenu() override;

    QMenu *mnuRight() const { return m_mnuRight.get(); }
    CommandState &state() override { return m_state; }
    // The item that runs command with index; nullptr when there is none.
    QAction *item(MenuCommand command, int index = 0) const;

    void popup(QPoint globalPosition);

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

    // Runs one of the ruler's dialogs to its end, above the ruler where the
    // ruler floats above other windows; returns what exec() returns.
    int showModal(QDialog &dialog);

private:
    void run(const MenuEntry &entry);
    // Puts every item's check mark where the command state has it.
    void showCheckMarks();
    // The about box, with another caption and text: the help and the tip.
    void showInAboutBox(std::string_view caption, std::string_view text);

    Form1 &m_ruler;
    CommandState m_state;
    // A child of the ruler window, so that it opens over it, but owned here.
    std::unique_ptr<QMenu> m_mnuRight;
    // One per entry of the description, separators included, in its order.
    QList<QAction *> m_items;
};
