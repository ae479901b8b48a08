#include "menu/form_menu.h"
#include "ruler/ruler_window.h"
#include "support/ruler_on_file.h"
#include "support/ruler_pixels.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace RulerPixels;

namespace {

// The choices a loaded ruler's menu marks, as menu indexes; by default those
// of a ruler without settings.
struct Choices
{
    bool taskbar = false;
    bool topmost = false;
    int direction = 0;
    int sizeMode = 0;
    int unit = 3;
    QString storedUnit = QStringLiteral("Millimeters");
};

} // namespace

Q_DECLARE_METATYPE(Choices)

class TestRulerWindow : public QObject
{
    Q_OBJECT

private slots:
    void firstStartWithoutSettingsFile();
    void loadAppliesEachStoredChoice_data();
    void loadAppliesEachStoredChoice();
    void opacityIsBroughtIntoRange_data();
    void opacityIsBroughtIntoRange();
    void unitCommandMarksStoresAndRepaints();
    void firstLayoutRestoresSizeAndPosition_data();
    void firstLayoutRestoresSizeAndPosition();
    void absurdStoredGeometryKeepsTheImageBounded();
    void turningKeepsLengthAndBreadth();
    void minimumSizePerOrientation_data();
    void minimumSizePerOrientation();
    void everyResizeLaysOutRepaintsAndStores();
    void gripStaysInTheCorner();
    void closingStoresThePosition_data();
    void closingStoresThePosition();
};

void TestRulerWindow::firstStartWithoutSettingsFile()
{
    StartedRuler started;
    Form1 &ruler = started.ruler;
    QVERIFY(ruler.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(ruler.windowTitle(), QStringLiteral("Ostrel屏幕刻度尺"));
    QCOMPARE(ruler.windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
    QCOMPARE(ruler.windowOpacity(), 1.0);
    QCOMPARE(ruler.geometry(), QRect(0, 0, 652, 120));
    // Its menu's marks: loadAppliesEachStoredChoice, the row "no settings file".

    // Load writes the unit, the first layout the size; nothing else is stored yet.
    QCOMPARE(started.file.text(),
             QByteArray("[General]\nScaleMode=Millimeters\nWidth=9780\nHeight=1800\n"));
    QCOMPARE(topTick(ruler.image(), 37), 23);
}

void TestRulerWindow::loadAppliesEachStoredChoice_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<Choices>("choices");

    QTest::newRow("no settings file") << QByteArray() << Choices{};
    QTest::newRow("taskbar true") << QByteArray("ShowInTaskBar=true\n") << Choices{.taskbar = true};
    QTest::newRow("taskbar TRUE") << QByteArray("ShowInTaskBar=TRUE\n") << Choices{.taskbar = true};
    QTest::newRow("taskbar 1 is no") << QByteArray("ShowInTaskBar=1\n") << Choices{};
    QTest::newRow("taskbar yes is no") << QByteArray("ShowInTaskBar=yes\n") << Choices{};
    QTest::newRow("topmost") << QByteArray("AlwaysOnTop=True\n") << Choices{.topmost = true};
    QTest::newRow("vertical") << QByteArray("Direction=90\n") << Choices{.direction = 1};
    QTest::newRow("vertical with a blank")
        << QByteArray("Direction=90 \n") << Choices{.direction = 1};
    QTest::newRow("90.0 is not the text 90") << QByteArray("Direction=90.0\n") << Choices{};
    QTest::newRow("physical 1.0") << QByteArray("SizeMode=1.0\n") << Choices{.sizeMode = 1};
    QTest::newRow("size mode 2 marks virtual") << QByteArray("SizeMode=2\n") << Choices{};
    QTest::newRow("inches") << QByteArray("ScaleMode=Inches\n")
                            << Choices{.unit = 2, .storedUnit = "Inches"};
    QTest::newRow("pixels") << QByteArray("ScaleMode=Pixels\n")
                            << Choices{.unit = 1, .storedUnit = "Pixels"};
    QTest::newRow("lower-case inches") << QByteArray("ScaleMode=inches\n") << Choices{};
    QTest::newRow("everything")
        << QByteArray(
               "ShowInTaskBar=True\nAlwaysOnTop=true\nDirection=90\nSizeMode=1\nScaleMode=Pixels\n")
        << Choices{true, true, 1, 1, 1, "Pixels"};
}

void TestRulerWindow::loadAppliesEachStoredChoice()
{
    QFETCH(QByteArray, settings);
    QFETCH(Choices, choices);

    StartedRuler started(settings);
    FormMenu &menu = started.menu();
    QCOMPARE(menu.commands().state().taskbar, choices.taskbar);
    QCOMPARE(menu.commands().state().alwaysOnTop, choices.topmost);
    QCOMPARE(started.ruler.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint),
             choices.topmost);
    // One of the two is marked: markedIndex() is 0 also when none is.
    QVERIFY(menu.commands().state().direction.isMarked(choices.direction));
    QVERIFY(!menu.commands().state().direction.isMarked(1 - choices.direction));
    QVERIFY(menu.commands().state().size.isMarked(choices.sizeMode));
    QVERIFY(!menu.commands().state().size.isMarked(1 - choices.sizeMode));
    QCOMPARE(menu.commands().state().unit.markedIndex(), choices.unit);
    QCOMPARE(started.stored(SettingsKey::ScaleMode), choices.storedUnit);
}

void TestRulerWindow::opacityIsBroughtIntoRange_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("alpha");
    QTest::newRow("missing") << QByteArray() << 255;
    QTest::newRow("empty") << QByteArray("") << 255;
    QTest::newRow("letters") << QByteArray("abc") << 0;
    QTest::newRow("127.5 rounds to even") << QByteArray("127.5") << 128;
    QTest::newRow("126.5 rounds to even") << QByteArray("126.5") << 126;
    QTest::newRow("above range") << QByteArray("300") << 255;
    QTest::newRow("below range") << QByteArray("-5") << 0;
    QTest::newRow("1e30") << QByteArray("1e30") << 255;
    QTest::newRow("1e999 is no number") << QByteArray("1e999") << 0;
    QTest::newRow("hexadecimal") << QByteArray("&H80") << 128;
}

void TestRulerWindow::opacityIsBroughtIntoRange()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, alpha);
    const QByteArray line = stored.isNull() ? QByteArray() : "Transparent=" + stored + "\n";
    // The unit is stored after the opacity: the load goes on past any opacity.
    StartedRuler started(line + "ScaleMode=Inches\n");
    QCOMPARE(qRound(started.ruler.windowOpacity() * 255), alpha);
    QCOMPARE(started.menu().commands().state().unit.markedIndex(), 2);
}

void TestRulerWindow::unitCommandMarksStoresAndRepaints()
{
    StartedRuler started;
    FormMenu &menu = started.menu();

    menu.commands().mnuScaleMode_Click(2);
    QCOMPARE(menu.commands().state().unit.markedIndex(), 2);
    QVERIFY(!menu.commands().state().unit.isMarked(1));
    QVERIFY(!menu.commands().state().unit.isMarked(3));
    QCOMPARE(started.stored(SettingsKey::ScaleMode), QStringLiteral("Inches"));
    QCOMPARE(topTick(started.ruler.image(), 96), 23);

    menu.commands().mnuScaleMode_Click(1);
    QCOMPARE(started.stored(SettingsKey::ScaleMode), QStringLiteral("Pixels"));
    QCOMPARE(topTick(started.ruler.image(), 100), 23);

    // An index outside the group unchecks every unit and means millimetres.
    menu.commands().mnuScaleMode_Click(0);
    QCOMPARE(menu.commands().state().unit.markedIndex(), 0);
    QCOMPARE(started.stored(SettingsKey::ScaleMode), QStringLiteral("Millimeters"));
    QCOMPARE(topTick(started.ruler.image(), 37), 23);

    // The checked unit again still repaints from the file.
    menu.commands().mnuScaleMode_Click(3);
    started.file.settings().write(SettingsKey::BackColor, "#0000FF");
    menu.commands().mnuScaleMode_Click(3);
    QCOMPARE(menu.commands().state().unit.markedIndex(), 3);
    QCOMPARE(started.ruler.image().pixel(1, 60), blue);
}

void TestRulerWindow::firstLayoutRestoresSizeAndPosition_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("horizontal") << QByteArray("Width=12000\nHeight=2000\nLeft=1500\nTop=3000\n")
                                << QRect(100, 200, 800, 133);
    QTest::newRow("vertical takes Width as its height")
        << QByteArray("Direction=90\nWidth=12000\nHeight=2000\nLeft=1500\nTop=300\n")
        << QRect(100, 20, 133, 800);
    QTest::newRow("partly off the left edge stays")
        << QByteArray("Left=-3000\nTop=-300\n") << QRect(-200, -20, 652, 120);
    QTest::newRow("missing size is the minimum")
        << QByteArray("Left=15\n") << QRect(1, 0, 652, 120);
    QTest::newRow("too small is the minimum")
        << QByteArray("Width=100\nHeight=abc\n") << QRect(0, 0, 652, 120);
}

void TestRulerWindow::firstLayoutRestoresSizeAndPosition()
{
    QFETCH(QByteArray, settings);
    QFETCH(QRect, geometry);
    StartedRuler started(settings);
    QCOMPARE(started.ruler.geometry(), geometry);
    QCOMPARE(started.ruler.image().size(), geometry.size());
}

void TestRulerWindow::absurdStoredGeometryKeepsTheImageBounded()
{
    // The window and the image it paints into stay within the bounds.
    StartedRuler started("Width=1e30\nHeight=1e30\nLeft=1e30\nTop=1e30\n");
    const QRect screen = started.ruler.screen()->geometry();
    const QRect geometry = started.ruler.geometry();
    const int side = qMax(screen.width(), screen.height());
    QVERIFY(geometry.width() <= 2 * side && geometry.height() <= 2 * side);
    QVERIFY(qMin(geometry.width(), geometry.height()) <= side);
    QVERIFY2(screen.intersects(geometry),
             qPrintable(QStringLiteral("%1,%2").arg(geometry.x()).arg(geometry.y())));
    QCOMPARE(started.ruler.image().size(), geometry.size());
}

void TestRulerWindow::turningKeepsLengthAndBreadth()
{
    StartedRuler started("Width=12000\nHeight=2000\n");
    Form1 &ruler = started.ruler;
    ruler.move(30, 40);
    QCOMPARE(ruler.size(), QSize(800, 133));

    started.menu().commands().mnuDirection_Click(1);
    QCOMPARE(ruler.geometry(), QRect(30, 40, 133, 800));
    QCOMPARE(started.stored(SettingsKey::Direction), QStringLiteral("90"));
    QCOMPARE(started.stored(SettingsKey::Width), QStringLiteral("12000"));
    QCOMPARE(started.stored(SettingsKey::Height), QStringLiteral("2000"));
    QCOMPARE(leftTick(ruler.image(), 37), 23);

    started.menu().commands().mnuDirection_Click(0);
    QCOMPARE(ruler.geometry(), QRect(30, 40, 800, 133));
    QCOMPARE(started.stored(SettingsKey::Width), QStringLiteral("12000"));
    QCOMPARE(started.stored(SettingsKey::Height), QStringLiteral("2000"));
    QVERIFY(!ruler.behaviour().IsDirection);

    // The orientation already in force leaves the window as it was.
    started.menu().commands().mnuDirection_Click(0);
    QCOMPARE(ruler.geometry(), QRect(30, 40, 800, 133));
}

void TestRulerWindow::minimumSizePerOrientation_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QSize>("stretched");
    QTest::addColumn<QSize>("expected");

    QTest::newRow("horizontal too short") << QByteArray() << QSize(400, 130) << QSize(652, 130);
    QTest::newRow("horizontal too narrow") << QByteArray() << QSize(700, 66) << QSize(700, 120);
    QTest::newRow("horizontal both") << QByteArray() << QSize(10, 10) << QSize(652, 120);
    QTest::newRow("vertical too short")
        << QByteArray("Direction=90\n") << QSize(130, 400) << QSize(130, 652);
    QTest::newRow("vertical too narrow")
        << QByteArray("Direction=90\n") << QSize(60, 700) << QSize(120, 700);
}

void TestRulerWindow::minimumSizePerOrientation()
{
    QFETCH(QByteArray, settings);
    QFETCH(QSize, stretched);
    QFETCH(QSize, expected);
    StartedRuler started(settings);
    started.ruler.resize(stretched);
    QCOMPARE(started.ruler.size(), expected);
}

void TestRulerWindow::everyResizeLaysOutRepaintsAndStores()
{
    StartedRuler started("Direction=90\n");
    started.ruler.resize(150, 700);
    QCOMPARE(started.ruler.image().size(), QSize(150, 700));
    // A vertical ruler's height is its length, stored under Width.
    QCOMPARE(started.stored(SettingsKey::Width), QStringLiteral("10500"));
    QCOMPARE(started.stored(SettingsKey::Height), QStringLiteral("2250"));
}

void TestRulerWindow::gripStaysInTheCorner()
{
    StartedRuler started;
    QLabel *grip = started.ruler.grip();
    QCOMPARE(grip->text(), QStringLiteral("    "));
    QCOMPARE(grip->geometry(), QRect(652 - 24, 120 - 12, 24, 12));
    started.ruler.resize(900, 200);
    QCOMPARE(grip->geometry(), QRect(900 - 24, 200 - 12, 24, 12));
    started.menu().commands().mnuDirection_Click(1);
    QCOMPARE(grip->geometry(), QRect(200 - 24, 900 - 12, 24, 12));
}

void TestRulerWindow::closingStoresThePosition_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("closed") << "close";
    QTest::newRow("closed by the window system") << "window system";
    QTest::newRow("Quit command") << "quit";
}

void TestRulerWindow::closingStoresThePosition()
{
    QFETCH(QString, how);
    StartedRuler started;
    started.ruler.move(100, -20);
    if (how == u"close")
        started.ruler.close();
    else if (how == u"window system")
        started.ruler.windowHandle()->close();
    else
        started.menu().mnuRight()->actions().constLast()->trigger();
    QVERIFY(!started.ruler.isVisible());
    QCOMPARE(
        started.file.text(),
        QByteArray(
            "[General]\nScaleMode=Millimeters\nWidth=9780\nHeight=1800\nLeft=1500\nTop=-300\n"));
}

QTEST_MAIN(TestRulerWindow)
#include "tst_ruler_window.moc"
