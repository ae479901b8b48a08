#include "menu/form_menu.h"
#include "ruler/ruler_window.h"
#include "support/image_probe.h"
#include "support/ruler_on_file.h"

#include <QAction>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace ImageProbe;

namespace {

int bigTickAt(const QImage &image, int x)
{
    return runLength(image, QPoint(x, 0), QPoint(0, 1), exactly(qRgb(255, 0, 0)));
}

} // namespace

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
    void absurdStoredGeometryStaysBounded_data();
    void absurdStoredGeometryStaysBounded();
    void turningKeepsLengthAndBreadth();
    void minimumSizePerOrientation_data();
    void minimumSizePerOrientation();
    void everyResizeLaysOutRepaintsAndStores();
    void gripStaysInTheCorner();
    void closeStoresThePosition();
    void closeRequestFromTheWindowSystemStoresThePosition();
};

void TestRulerWindow::firstStartWithoutSettingsFile()
{
    StartedRuler started;
    Form1 &ruler = started.ruler;
    QVERIFY(ruler.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(ruler.windowTitle(), QStringLiteral("Ostrel屏幕刻度尺"));
    QCOMPARE(ruler.windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
    QCOMPARE(ruler.windowOpacity(), 1.0);
    QVERIFY(!ruler.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(ruler.geometry(), QRect(0, 0, 652, 120));

    FormMenu &menu = started.menu();
    QVERIFY(!menu.mnuTaskbar()->isChecked());
    QVERIFY(!menu.mnuAlwaysOnTop()->isChecked());
    QCOMPARE(menu.mnuDirection().checkedIndex(), 0);
    QVERIFY(menu.mnuDirection().item(0)->isChecked());
    QCOMPARE(menu.mnuSize().checkedIndex(), 0);
    QVERIFY(menu.mnuSize().item(0)->isChecked());
    QCOMPARE(menu.mnuScaleMode().checkedIndex(), 3);

    // Load writes the unit, the first layout the size; nothing else is stored yet.
    QCOMPARE(started.file.text(),
             QByteArray("[General]\nScaleMode=Millimeters\nWidth=9780\nHeight=1800\n"));
    QCOMPARE(bigTickAt(ruler.image(), 37), 23);
}

void TestRulerWindow::loadAppliesEachStoredChoice_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("taskbar");
    QTest::addColumn<bool>("topmost");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("sizeMode");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("storedUnit");

    QTest::newRow("taskbar true") << QByteArray("ShowInTaskBar=true\n") << true << false << 0 << 0
                                  << 3 << "Millimeters";
    QTest::newRow("taskbar TRUE") << QByteArray("ShowInTaskBar=TRUE\n") << true << false << 0 << 0
                                  << 3 << "Millimeters";
    QTest::newRow("taskbar 1 is no")
        << QByteArray("ShowInTaskBar=1\n") << false << false << 0 << 0 << 3 << "Millimeters";
    QTest::newRow("taskbar yes is no")
        << QByteArray("ShowInTaskBar=yes\n") << false << false << 0 << 0 << 3 << "Millimeters";
    QTest::newRow("topmost") << QByteArray("AlwaysOnTop=True\n") << false << true << 0 << 0 << 3
                             << "Millimeters";
    QTest::newRow("vertical") << QByteArray("Direction=90\n") << false << false << 1 << 0 << 3
                              << "Millimeters";
    QTest::newRow("vertical with a blank")
        << QByteArray("Direction=90 \n") << false << false << 1 << 0 << 3 << "Millimeters";
    QTest::newRow("90.0 is not the text 90")
        << QByteArray("Direction=90.0\n") << false << false << 0 << 0 << 3 << "Millimeters";
    QTest::newRow("physical 1.0") << QByteArray("SizeMode=1.0\n") << false << false << 0 << 1 << 3
                                  << "Millimeters";
    QTest::newRow("size mode 2 marks virtual")
        << QByteArray("SizeMode=2\n") << false << false << 0 << 0 << 3 << "Millimeters";
    QTest::newRow("inches") << QByteArray("ScaleMode=Inches\n") << false << false << 0 << 0 << 2
                            << "Inches";
    QTest::newRow("pixels") << QByteArray("ScaleMode=Pixels\n") << false << false << 0 << 0 << 1
                            << "Pixels";
    QTest::newRow("lower-case inches")
        << QByteArray("ScaleMode=inches\n") << false << false << 0 << 0 << 3 << "Millimeters";
    QTest::newRow("everything")
        << QByteArray(
               "ShowInTaskBar=True\nAlwaysOnTop=true\nDirection=90\nSizeMode=1\nScaleMode=Pixels\n")
        << true << true << 1 << 1 << 1 << "Pixels";
}

void TestRulerWindow::loadAppliesEachStoredChoice()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, taskbar);
    QFETCH(bool, topmost);
    QFETCH(int, direction);
    QFETCH(int, sizeMode);
    QFETCH(int, unit);
    QFETCH(QString, storedUnit);

    StartedRuler started(settings);
    FormMenu &menu = started.menu();
    QCOMPARE(menu.mnuTaskbar()->isChecked(), taskbar);
    QCOMPARE(menu.mnuAlwaysOnTop()->isChecked(), topmost);
    QCOMPARE(started.ruler.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), topmost);
    QCOMPARE(menu.mnuDirection().checkedIndex(), direction);
    QVERIFY(!menu.mnuDirection().item(1 - direction)->isChecked());
    QCOMPARE(menu.mnuSize().checkedIndex(), sizeMode);
    QVERIFY(!menu.mnuSize().item(1 - sizeMode)->isChecked());
    QCOMPARE(menu.mnuScaleMode().checkedIndex(), unit);
    QCOMPARE(started.stored(SettingsKey::ScaleMode), storedUnit);
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
    QCOMPARE(started.menu().mnuScaleMode().checkedIndex(), 2);
}

void TestRulerWindow::unitCommandMarksStoresAndRepaints()
{
    StartedRuler started;
    FormMenu &menu = started.menu();

    menu.mnuScaleMode_Click(2);
    QCOMPARE(menu.mnuScaleMode().checkedIndex(), 2);
    QVERIFY(!menu.mnuScaleMode().item(1)->isChecked());
    QVERIFY(!menu.mnuScaleMode().item(3)->isChecked());
    QCOMPARE(started.stored(SettingsKey::ScaleMode), QStringLiteral("Inches"));
    QCOMPARE(bigTickAt(started.ruler.image(), 96), 23);

    menu.mnuScaleMode_Click(1);
    QCOMPARE(started.stored(SettingsKey::ScaleMode), QStringLiteral("Pixels"));
    QCOMPARE(bigTickAt(started.ruler.image(), 100), 23);

    // An index outside the group unchecks every unit and means millimetres.
    menu.mnuScaleMode_Click(0);
    QCOMPARE(menu.mnuScaleMode().checkedIndex(), 0);
    QCOMPARE(started.stored(SettingsKey::ScaleMode), QStringLiteral("Millimeters"));
    QCOMPARE(bigTickAt(started.ruler.image(), 37), 23);

    // The checked unit again still repaints from the file.
    menu.mnuScaleMode_Click(3);
    started.file.settings().write(SettingsKey::BackColor, QStringLiteral("#0000FF"));
    menu.mnuScaleMode_Click(3);
    QCOMPARE(menu.mnuScaleMode().checkedIndex(), 3);
    QCOMPARE(started.ruler.image().pixel(1, 60), qRgb(0, 0, 255));
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

void TestRulerWindow::absurdStoredGeometryStaysBounded_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::newRow("1e30 everywhere")
        << QByteArray("Width=1e30\nHeight=1e30\nLeft=1e30\nTop=1e30\n");
    QTest::newRow("negative") << QByteArray("Width=-1e30\nHeight=-5\nLeft=-1e30\nTop=-1e30\n");
    QTest::newRow("not numbers") << QByteArray("Width=nan\nHeight=inf\nLeft=nan\nTop=-0\n");
    QTest::newRow("far right") << QByteArray("Left=9999999\nTop=100\n");
    QTest::newRow("vertical huge") << QByteArray("Direction=90\nWidth=1e9\nHeight=1e9\n");
}

void TestRulerWindow::absurdStoredGeometryStaysBounded()
{
    QFETCH(QByteArray, settings);
    StartedRuler started(settings);
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

    started.menu().mnuDirection_Click(1);
    QCOMPARE(ruler.geometry(), QRect(30, 40, 133, 800));
    QCOMPARE(started.stored(SettingsKey::Direction), QStringLiteral("90"));
    QCOMPARE(started.stored(SettingsKey::Width), QStringLiteral("12000"));
    QCOMPARE(started.stored(SettingsKey::Height), QStringLiteral("2000"));
    QCOMPARE(runLength(ruler.image(), QPoint(0, 37), QPoint(1, 0), exactly(qRgb(255, 0, 0))), 23);

    started.menu().mnuDirection_Click(0);
    QCOMPARE(ruler.geometry(), QRect(30, 40, 800, 133));
    QCOMPARE(started.stored(SettingsKey::Width), QStringLiteral("12000"));
    QCOMPARE(started.stored(SettingsKey::Height), QStringLiteral("2000"));
    QVERIFY(!ruler.IsDirection);

    // The orientation already in force leaves the window as it was.
    started.menu().mnuDirection_Click(0);
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
    started.menu().mnuDirection_Click(1);
    QCOMPARE(grip->geometry(), QRect(200 - 24, 900 - 12, 24, 12));
}

void TestRulerWindow::closeStoresThePosition()
{
    StartedRuler started;
    started.ruler.move(100, -20);
    started.ruler.close();
    QCOMPARE(started.stored(SettingsKey::Left), QStringLiteral("1500"));
    QCOMPARE(started.stored(SettingsKey::Top), QStringLiteral("-300"));
    QCOMPARE(
        started.file.text(),
        QByteArray(
            "[General]\nScaleMode=Millimeters\nWidth=9780\nHeight=1800\nLeft=1500\nTop=-300\n"));
}

void TestRulerWindow::closeRequestFromTheWindowSystemStoresThePosition()
{
    StartedRuler started;
    started.ruler.move(45, 60);
    started.ruler.windowHandle()->close();
    QVERIFY(!started.ruler.isVisible());
    QCOMPARE(started.stored(SettingsKey::Left), QStringLiteral("675"));
    QCOMPARE(started.stored(SettingsKey::Top), QStringLiteral("900"));
}

QTEST_MAIN(TestRulerWindow)
#include "tst_ruler_window.moc"
