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

class TestRulerWindow : public QObject
{
    Q_OBJECT

private slots:
    void firstStartWithoutSettingsFile();
    void storedTopmostIsAWindowFlag();
    void unitCommandRepaints();
    void absurdStoredGeometryKeepsTheImageBounded();
    void turningRepaintsAlongTheNewLength();
    void everyResizeRepaints();
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
    QCOMPARE(topTick(ruler.image(), 37), 23);
}

void TestRulerWindow::storedTopmostIsAWindowFlag()
{
    StartedRuler started("AlwaysOnTop=True\n");
    QVERIFY(started.ruler.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

void TestRulerWindow::unitCommandRepaints()
{
    StartedRuler started;
    started.menu().commands().mnuScaleMode_Click(2);
    QCOMPARE(topTick(started.ruler.image(), 96), 23);
    started.menu().commands().mnuScaleMode_Click(1);
    QCOMPARE(topTick(started.ruler.image(), 100), 23);
    started.menu().commands().mnuScaleMode_Click(0);
    QCOMPARE(topTick(started.ruler.image(), 37), 23);
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

void TestRulerWindow::turningRepaintsAlongTheNewLength()
{
    StartedRuler started;
    started.menu().commands().mnuDirection_Click(1);
    QCOMPARE(leftTick(started.ruler.image(), 37), 23);
}

void TestRulerWindow::everyResizeRepaints()
{
    StartedRuler started("Direction=90\n");
    started.ruler.resize(150, 700);
    QCOMPARE(started.ruler.image().size(), QSize(150, 700));
}

void TestRulerWindow::gripStaysInTheCorner()
{
    StartedRuler started;
    QLabel *grip = started.ruler.grip();
    QCOMPARE(grip->text(), QStringLiteral("    "));
    QCOMPARE(grip->geometry(), QRect(652 - 24, 120 - 12, 24, 12));
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
    QCOMPARE(started.stored(SettingsKey::Left), QStringLiteral("1500"));
    QCOMPARE(started.stored(SettingsKey::Top), QStringLiteral("-300"));
}

QTEST_MAIN(TestRulerWindow)
#include "tst_ruler_window.moc"
