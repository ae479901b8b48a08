#pragma once

#include "menu_group.h"

#include <QObject>
#include <QPoint>

#include <memory>

class Form1;
class QAction;
class QDialog;
class QMenu;

// The hidden form that carries the ruler's one popup menu and its commands.
// Its check marks are the program's record of five choices (unit,
// orientation, size mode, topmost, taskbar): the ruler window sets them when
// it loads, and from then on only the commands change them.
class FormMenu : public QObject
{
    Q_OBJECT
public:
    explicit FormMenu(Form1 &ruler);
    ~FormMenu() override;

    QMenu *mnuRight() const { return m_mnuRight.get(); }
    MenuGroup &mnuScaleMode() { return m_mnuScaleMode; }
    MenuGroup &mnuDirection() { return m_mnuDirection; }
    MenuGroup &mnuSize() { return m_mnuSize; }
    const MenuGroup &mnuMove() const { return m_mnuMove; }
    const MenuGroup &mnuTran() const { return m_mnuTran; }
    QAction *mnuAlwaysOnTop() const { return m_mnuAlwaysOnTop; }
    QAction *mnuTaskbar() const { return m_mnuTaskbar; }

    void popup(QPoint globalPosition);

    // The unit command: marks the unit item, stores the unit and repaints
    // (1 pixels, 2 inches, any other index millimetres).
    void mnuScaleMode_Click(int Index);
    void mnuDirection_Click(int Index);
    void mnuSize_Click(int Index);
    void mnuTran_Click(int Index);
    void mnuMove_Click(int Index);

    // The two switches: choosing the item has already flipped its check mark.
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
    QAction *addItem(const QString &caption, void (FormMenu::*handler)(), bool checkable = false);
    void addGroup(MenuGroup &group, const QStringList &captions, bool checkable,
                  void (FormMenu::*handler)(int));
    // The about box, with another caption and text: the help and the tip.
    void showInAboutBox(const QString &caption, const QString &text);

    Form1 &m_ruler;
    // A child of the ruler window, so that it opens over it, but owned here.
    std::unique_ptr<QMenu> m_mnuRight;
    MenuGroup m_mnuScaleMode{1};
    MenuGroup m_mnuMove{1};
    MenuGroup m_mnuTran{1};
    MenuGroup m_mnuDirection{0};
    MenuGroup m_mnuSize{0};
    QAction *m_mnuAlwaysOnTop = nullptr;
    QAction *m_mnuTaskbar = nullptr;
};
