#include "form_menu.h"

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

FormMenu::FormMenu(Form1 &ruler)
    : m_ruler(ruler)
    , m_mnuRight(std::make_unique<QMenu>(QStringLiteral("右键菜单"), &ruler))
{
    addGroup(m_mnuScaleMode,
             {QStringLiteral("单位: 像素(&P)"), QStringLiteral("单位: 英寸(&I)"),
              QStringLiteral("单位: 毫米(&M)")},
             true, &FormMenu::mnuScaleMode_Click);
    m_mnuRight->addSeparator();
    addGroup(m_mnuMove,
             {QStringLiteral("向上移动(UP)"), QStringLiteral("向下移动(DOWN)"),
              QStringLiteral("向左移动(LEFT)"), QStringLiteral("向右移动(RIGHT)")},
             false, &FormMenu::mnuMove_Click);
    m_mnuRight->addSeparator();
    addGroup(m_mnuTran, {QStringLiteral("增加透明度(+)"), QStringLiteral("减少透明度(-)")}, false,
             &FormMenu::mnuTran_Click);
    m_mnuRight->addSeparator();
    m_mnuAlwaysOnTop =
        addItem(QStringLiteral("始终在前(&T)"), &FormMenu::mnuAlwaysOnTop_Click, true);
    m_mnuTaskbar = addItem(QStringLiteral("在任务栏出现(&R)"), &FormMenu::mnuTaskbar_Click, true);
    m_mnuRight->addSeparator();
    addItem(QStringLiteral("设置颜色(&R)"), &FormMenu::mnuColor_Click);
    m_mnuRight->addSeparator();
    addGroup(m_mnuDirection, {QStringLiteral("水平刻度尺(&H)"), QStringLiteral("竖直刻度尺(&V)")},
             true, &FormMenu::mnuDirection_Click);
    m_mnuRight->addSeparator();
    addGroup(m_mnuSize, {QStringLiteral("虚拟刻度尺(&P)"), QStringLiteral("物理刻度尺(&S)")}, true,
             &FormMenu::mnuSize_Click);
    m_mnuRight->addSeparator();
    addItem(QStringLiteral("输入校正值(&R)"), &FormMenu::mnuRevise_Click);
    m_mnuRight->addSeparator();
    addItem(QStringLiteral("关于(&A)"), &FormMenu::mnuAbout_Click);
    addItem(QStringLiteral("帮助(&H)"), &FormMenu::mnuHelp_Click);
    m_mnuRight->addSeparator();
    addItem(QStringLiteral("退出(&Q)"), &FormMenu::mnuQuit_Click);
}

FormMenu::~FormMenu() = default;

QAction *FormMenu::addItem(const QString &caption, void (FormMenu::*handler)(), bool checkable)
{
    QAction *item = m_mnuRight->addAction(caption);
    item->setCheckable(checkable);
    if (handler)
        connect(item, &QAction::triggered, this, handler);
    return item;
}

void FormMenu::addGroup(MenuGroup &group, const QStringList &captions, bool checkable,
                        void (FormMenu::*handler)(int))
{
    for (const QString &caption : captions) {
        const int index = group.highestIndex() + 1;
        QAction *item = addItem(caption, nullptr, checkable);
        group.append(item);
        connect(item, &QAction::triggered, this,
                [this, handler, index] { (this->*handler)(index); });
    }
}

void FormMenu::popup(QPoint globalPosition)
{
    m_mnuRight->popup(globalPosition);
}

void FormMenu::mnuScaleMode_Click(int Index)
{
    m_mnuScaleMode.mark(Index);
    m_ruler.settings().write(SettingsKey::ScaleMode, scaleModeTextForIndex(Index));
    m_ruler.DrawRuler(unitCodeForIndex(Index));
}

void FormMenu::mnuDirection_Click(int Index)
{
    m_mnuDirection.mark(Index);
    if (Index == 0)
        m_ruler.settings().write(SettingsKey::Direction, "0");
    else if (Index == 1)
        m_ruler.settings().write(SettingsKey::Direction, "90");
    m_ruler.IsDirection = true;
    m_ruler.Form_Resize();
}

void FormMenu::mnuSize_Click(int Index)
{
    m_mnuSize.mark(Index);
    // The physical scale goes ahead uncalibrated, after the tip says how to calibrate.
    if (Index == 1 && calibrationOf(m_ruler.settings().read(SettingsKey::Revision)) == 0)
        showInAboutBox(QStringLiteral("提示"),
                       QStringLiteral("** 没有校正值，请在菜单中选择[输入校正值]以校正刻度尺。"));
    m_ruler.settings().write(SettingsKey::SizeMode, std::to_string(Index));
    m_ruler.Form_Resize();
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

void FormMenu::mnuAlwaysOnTop_Click()
{
    const bool topmost = m_mnuAlwaysOnTop->isChecked();
    setTopmost(&m_ruler, topmost);
    m_ruler.settings().write(SettingsKey::AlwaysOnTop, booleanText(topmost));
}

void FormMenu::mnuTaskbar_Click()
{
    // The window takes the new state when it next loads.
    m_ruler.settings().write(SettingsKey::ShowInTaskBar, booleanText(m_mnuTaskbar->isChecked()));
}

int FormMenu::showModal(QDialog &dialog)
{
    if (m_mnuAlwaysOnTop->isChecked())
        setTopmost(&dialog, true);
    return dialog.exec();
}

void FormMenu::showInAboutBox(const QString &caption, const QString &text)
{
    FormAbout box(&m_ruler);
    box.setWindowTitle(caption);
    box.Label2()->setText(text);
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
    showInAboutBox(QStringLiteral("帮助"),
                   QStringLiteral("操作指南:\r\n\r\n"
                                  "1、方向键可以移动刻度尺。\r\n\r\n"
                                  "2、Shift+方向键可以更精确地移动刻度尺\r\n\r\n"
                                  "3、按[+]增大透明度，按[-]减少透明度\r\n\r\n"
                                  "4、在刻度尺右下角处可以拉伸刻度尺\r\n\r\n"
                                  "    此时鼠标光标会变成拉伸的形状"));
}

void FormMenu::mnuQuit_Click()
{
    m_mnuRight->close();
    m_ruler.close();
}
