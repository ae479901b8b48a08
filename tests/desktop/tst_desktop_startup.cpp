#include "desktop_session.h"
#include "support/image_probe.h"

#include <QTest>

using namespace ImageProbe;

// What the ruler makes of its ruler.ini at the start, and what it stores
// there when the window manager closes it or the session ends it. The first start without a file
// is part of tst_desktop_journeys.
class TestDesktopStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void endingStoresThePosition_data();
    void endingStoresThePosition();
    void storedStateReachesTheWindowManager_data();
    void storedStateReachesTheWindowManager();
    void paintsWhatTheFileSays();

private:
    DesktopSession m_desktop;
};

void TestDesktopStartup::initTestCase()
{
    if (!DesktopSession::programBuilt())
        QSKIP(qPrintable(DesktopSession::program() + QStringLiteral(" is not built")));
    QVERIFY2(m_desktop.start(), "no X server with a window manager could be started");
}

void TestDesktopStartup::cleanupTestCase()
{
    m_desktop.end();
}

void TestDesktopStartup::endingStoresThePosition_data()
{
    QTest::addColumn<bool>("sessionEnds");
    QTest::newRow("close request") << false;
    QTest::newRow("end of session") << true;
}

void TestDesktopStartup::endingStoresThePosition()
{
    QFETCH(bool, sessionEnds);
    const unsigned window = m_desktop.startRuler("Left=1500\nTop=3000\n");
    QVERIFY(window);
    QTRY_COMPARE(m_desktop.geometry(window).topLeft(), QPoint(100, 200));
    QVERIFY(m_desktop.xdotool({QStringLiteral("windowmove"), QString::number(window),
                               QStringLiteral("300"), QStringLiteral("40")}));
    QTRY_COMPARE(m_desktop.geometry(window).topLeft(), QPoint(300, 40));

    if (sessionEnds)
        m_desktop.endUserSession();
    else
        m_desktop.requestClose(window);
    QVERIFY(m_desktop.waitForRulerExit());
    QCOMPARE(m_desktop.rulerExitCode(), 0);
    QCOMPARE(m_desktop.stored(QStringLiteral("Left")), QStringLiteral("4500"));
    QCOMPARE(m_desktop.stored(QStringLiteral("Top")), QStringLiteral("600"));
}

void TestDesktopStartup::storedStateReachesTheWindowManager_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("above");
    QTest::addColumn<bool>("skipTaskbar");
    QTest::addColumn<qint64>("opacity");

    // The defaults are checked on the first start of tst_desktop_journeys.
    QTest::newRow("topmost, translucent")
        << QByteArray("AlwaysOnTop=True\nTransparent=128\n") << true << true << qint64(0x80808080);
    QTest::newRow("in the taskbar")
        << QByteArray("ShowInTaskBar=True\nTransparent=0\n") << false << false << qint64(0);
}

void TestDesktopStartup::storedStateReachesTheWindowManager()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, above);
    QFETCH(bool, skipTaskbar);
    QFETCH(qint64, opacity);

    const unsigned window = m_desktop.startRuler(settings);
    QVERIFY(window);
    QTRY_COMPARE(m_desktop.netWmState(window).contains(QStringLiteral("_NET_WM_STATE_ABOVE")),
                 above);
    QTRY_COMPARE(
        m_desktop.netWmState(window).contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")),
        skipTaskbar);
    QTRY_VERIFY(qAbs(m_desktop.opacityProperty(window) - opacity) <= 1);
}

void TestDesktopStartup::paintsWhatTheFileSays()
{
    const unsigned window = m_desktop.startRuler(
        "BackColor=#0000FF\nRulerLineColor=#00FF00\nScaleMode=Inches\nWidth=15000\nHeight=2400\n");
    QVERIFY(window);
    QTRY_COMPARE(m_desktop.geometry(window), QRect(0, 0, 1000, 160));
    QImage shot;
    QTRY_VERIFY((shot = m_desktop.screenshot(QRect(0, 0, 1000, 160))).pixel(1, 80) ==
                qRgb(0, 0, 255));
    const PixelTest green = exactly(qRgb(0, 255, 0));
    QCOMPARE(runLength(shot, QPoint(96, 0), QPoint(0, 1), green), 23);    // an inch
    QCOMPARE(runLength(shot, QPoint(48, 159), QPoint(0, -1), green), 16); // half an inch
}

QTEST_GUILESS_MAIN(TestDesktopStartup)
#include "tst_desktop_startup.moc"
