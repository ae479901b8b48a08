#include "menu/form_menu.h"
#include "ruler/ruler_window.h"
#include "support/ruler_on_file.h"

#include <QAction>
#include <QMenu>
#include <QScreen>
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
    void translucencySteps_data();
    void translucencySteps();
    void twentySixStepsMakeTheRulerInvisible();
    void movesAreHundredTwips_data();
    void movesAreHundredTwips();
    void movesKeepTheRulerReachable();
    void topmostAppliesAtOnce();
    void taskbarIsStoredForTheNextStart();
    void sizeModeStoresAndLaysOut();
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

void TestFormMenu::translucencySteps_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("expected");

    QTest::newRow("more translucent") << QByteArray("255") << 1 << 245;
    QTest::newRow("not below 0") << QByteArray("5") << 1 << 0;
    QTest::newRow("less translucent") << QByteArray("250") << 2 << 255;
    QTest::newRow("not above 255") << QByteArray("255") << 2 << 255;
    QTest::newRow("missing counts as 255") << QByteArray() << 1 << 245;
    QTest::newRow("stored above range") << QByteArray("300") << 1 << 245;
    QTest::newRow("stored below range") << QByteArray("-50") << 2 << 10;
    QTest::newRow("fraction rounds to even") << QByteArray("12.5") << 2 << 22;
}

void TestFormMenu::translucencySteps()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, index);
    QFETCH(int, expected);
    StartedRuler started(stored.isNull() ? QByteArray("ScaleMode=Millimeters\n")
                                         : "Transparent=" + stored + "\n");
    started.menu().item(MenuCommand::Tran, index)->trigger();
    QCOMPARE(started.stored(SettingsKey::Transparent), QString::number(expected));
    QCOMPARE(qRound(started.ruler.windowOpacity() * 255), expected);
}

void TestFormMenu::twentySixStepsMakeTheRulerInvisible()
{
    StartedRuler started;
    for (int step = 0; step < 26; ++step)
        started.menu().commands().mnuTran_Click(1);
    QCOMPARE(started.stored(SettingsKey::Transparent), QStringLiteral("0"));
    QCOMPARE(started.ruler.windowOpacity(), 0.0);
    started.menu().commands().mnuTran_Click(2);
    QCOMPARE(started.stored(SettingsKey::Transparent), QStringLiteral("10"));
}

void TestFormMenu::movesAreHundredTwips_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("up") << 1 << QPoint(100, 93);
    QTest::newRow("down") << 2 << QPoint(100, 107);
    QTest::newRow("left") << 3 << QPoint(93, 100);
    QTest::newRow("right") << 4 << QPoint(107, 100);
    QTest::newRow("no such item") << 5 << QPoint(100, 100);
}

void TestFormMenu::movesAreHundredTwips()
{
    QFETCH(int, index);
    QFETCH(QPoint, position);
    StartedRuler started("Left=1500\nTop=1500\n");
    const QByteArray before = started.file.text();
    started.menu().commands().mnuMove_Click(index);
    QCOMPARE(started.ruler.pos(), position);
    QCOMPARE(started.file.text(), before); // the position is stored at close
}

void TestFormMenu::movesKeepTheRulerReachable()
{
    StartedRuler started;
    for (int step = 0; step < 500; ++step)
        started.menu().item(MenuCommand::Move, 3)->trigger();
    // Left of the screen, with its right end still on it, and back again.
    QCOMPARE(started.ruler.x(), 24 - 652);
    for (int step = 0; step < 500; ++step)
        started.menu().commands().mnuMove_Click(4);
    const QRect screen = started.ruler.screen()->geometry();
    QCOMPARE(started.ruler.x(), screen.right() + 1 - 24);
    for (int step = 0; step < 500; ++step)
        started.menu().commands().mnuMove_Click(2);
    QCOMPARE(started.ruler.y(), screen.bottom() + 1 - 12);
}

void TestFormMenu::topmostAppliesAtOnce()
{
    StartedRuler started;
    QAction *item = started.menu().item(MenuCommand::AlwaysOnTop);
    item->trigger();
    QVERIFY(item->isChecked());
    QVERIFY(started.ruler.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(started.ruler.isVisible());
    QCOMPARE(started.stored(SettingsKey::AlwaysOnTop), QStringLiteral("True"));

    item->trigger();
    QVERIFY(!item->isChecked());
    QVERIFY(!started.ruler.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(started.stored(SettingsKey::AlwaysOnTop), QStringLiteral("False"));
}

void TestFormMenu::taskbarIsStoredForTheNextStart()
{
    StartedRuler started;
    const WId window = started.ruler.winId();
    started.menu().item(MenuCommand::Taskbar)->trigger();
    QVERIFY(started.menu().commands().state().taskbar);
    QCOMPARE(started.stored(SettingsKey::ShowInTaskBar), QStringLiteral("True"));
    started.menu().item(MenuCommand::Taskbar)->trigger();
    QCOMPARE(started.stored(SettingsKey::ShowInTaskBar), QStringLiteral("False"));
    QCOMPARE(started.ruler.winId(), window);
}

void TestFormMenu::sizeModeStoresAndLaysOut()
{
    StartedRuler started("Revision=0.9\n");
    FormMenu &menu = started.menu();
    menu.item(MenuCommand::Size, 1)->trigger();
    QCOMPARE(menu.commands().state().size.markedIndex(), 1);
    QVERIFY(!menu.commands().state().size.isMarked(0));
    QCOMPARE(started.stored(SettingsKey::SizeMode), QStringLiteral("1"));
    // Physical millimetres at 0.9: ticks 4.2 pixels apart.
    QCOMPARE(started.ruler.image().pixel(4, 0), qRgb(255, 0, 0));
    QCOMPARE(started.ruler.image().pixel(3, 0), qRgb(255, 255, 0));

    menu.commands().mnuSize_Click(0);
    QCOMPARE(started.stored(SettingsKey::SizeMode), QStringLiteral("0"));
    QCOMPARE(started.ruler.image().pixel(3, 0), qRgb(255, 0, 0));
}

QTEST_MAIN(TestFormMenu)
#include "tst_form_menu.moc"
