#include "menu/form_menu.h"
#include "ruler/ruler_window.h"
#include "support/ruler_on_file.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QWindow>

namespace {

// The menu's items: "-" for a separator; ahead of the caption of an item
// that takes a check mark, "☑" where it shows one and "☐" where it does not.
QStringList itemsOf(const QMenu *menu)
{
    QStringList items;
    for (const QAction *item : menu->actions()) {
        items.append(item->isSeparator() ? QStringLiteral("-") : item->text());
        if (item->isCheckable())
            items.last().prepend(item->isChecked() ? u'☑' : u'☐');
    }
    return items;
}

} // namespace

class TestFormMenu : public QObject
{
    Q_OBJECT

private slots:
    void everyItemInOrder();
    void repeatedAccessKeysCycleWithoutChoosing();
    void topmostAppliesAtOnce();
    void taskbarLeavesTheWindowAsItIs();
    void sizeModeRepaints();
};

void TestFormMenu::everyItemInOrder()
{
    // The marks as the menu opens show what the load read.
    StartedRuler started("ShowInTaskBar=True\nDirection=90\n");
    started.menu().popup(QPoint(10, 10));
    // clang-format off
    const QStringList expected{
        "☐单位: 像素(&P)", "☐单位: 英寸(&I)", "☑单位: 毫米(&M)", "-",
        "向上移动(UP)", "向下移动(DOWN)", "向左移动(LEFT)", "向右移动(RIGHT)", "-",
        "增加透明度(+)", "减少透明度(-)", "-",
        "☐始终在前(&T)", "☑在任务栏出现(&R)", "-",
        "设置颜色(&R)", "-",
        "☐水平刻度尺(&H)", "☑竖直刻度尺(&V)", "-",
        "☑虚拟刻度尺(&P)", "☐物理刻度尺(&S)", "-",
        "输入校正值(&R)", "-",
        "关于(&A)", "帮助(&H)", "-",
        "退出(&Q)"};
    // clang-format on
    QCOMPARE(itemsOf(started.menu().mnuRight()), expected);
    started.menu().mnuRight()->close();
    for (const QAction *item : started.menu().mnuRight()->actions())
        QVERIFY(item->shortcut().isEmpty());
}

void TestFormMenu::repeatedAccessKeysCycleWithoutChoosing()
{
    StartedRuler started;
    QMenu *menu = started.menu().mnuRight();
    menu->popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    const QByteArray before = started.file.text();

    QStringList visited;
    for (int press = 0; press < 4; ++press) {
        QTest::keyClick(menu, Qt::Key_R);
        QVERIFY(menu->isVisible());
        visited.append(menu->activeAction()->text());
    }
    QCOMPARE(visited,
             (QStringList{QStringLiteral("在任务栏出现(&R)"), QStringLiteral("设置颜色(&R)"),
                          QStringLiteral("输入校正值(&R)"), QStringLiteral("在任务栏出现(&R)")}));
    QCOMPARE(started.file.text(), before);

    // A key that marks one item alone chooses it at once.
    QTest::keyClick(menu, Qt::Key_I);
    QTRY_VERIFY(!menu->isVisible());
    QCOMPARE(started.stored(SettingsKey::ScaleMode), QStringLiteral("Inches"));
}

void TestFormMenu::topmostAppliesAtOnce()
{
    StartedRuler started;
    QAction *item = started.menu().item(MenuCommand::AlwaysOnTop);
    item->trigger();
    QVERIFY(item->isChecked());
    QVERIFY(started.ruler.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(started.ruler.isVisible());

    item->trigger();
    QVERIFY(!item->isChecked());
    QVERIFY(!started.ruler.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

void TestFormMenu::taskbarLeavesTheWindowAsItIs()
{
    StartedRuler started;
    const WId window = started.ruler.winId();
    QAction *item = started.menu().item(MenuCommand::Taskbar);
    item->trigger();
    QVERIFY(item->isChecked());
    QCOMPARE(started.ruler.winId(), window);
}

void TestFormMenu::sizeModeRepaints()
{
    StartedRuler started("Revision=0.9\n");
    FormMenu &menu = started.menu();
    menu.item(MenuCommand::Size, 1)->trigger();
    // Physical millimetres at 0.9: ticks 4.2 pixels apart.
    QCOMPARE(started.ruler.image().pixel(4, 0), qRgb(255, 0, 0));
    QCOMPARE(started.ruler.image().pixel(3, 0), qRgb(255, 255, 0));

    menu.commands().mnuSize_Click(0);
    QCOMPARE(started.ruler.image().pixel(3, 0), qRgb(255, 0, 0));
}

QTEST_MAIN(TestFormMenu)
#include "tst_form_menu.moc"
