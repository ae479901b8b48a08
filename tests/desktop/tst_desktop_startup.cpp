#include "desktop_session.h"
#include "support/image_probe.h"

#include <QTest>

#include <memory>

using namespace ImageProbe;

class TestDesktopStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstStartComesUpAtTheCornerAndStoresItsShape();
    void closeRequestStoresThePosition();
    void storedStateReachesTheWindowManager_data();
    void storedStateReachesTheWindowManager();
    void paintsWhatTheFileSays();
    void cleanupTestCase();

private:
    std::unique_ptr<DesktopSession> m_desktop;
};

void TestDesktopStartup::initTestCase()
{
    m_desktop = std::make_unique<DesktopSession>();
    QVERIFY2(m_desktop->isReady(), "no X server with a window manager could be started");
}

void TestDesktopStartup::cleanupTestCase()
{
    m_desktop.reset();
}

void TestDesktopStartup::firstStartComesUpAtTheCornerAndStoresItsShape()
{
    QFile::remove(m_desktop->settingsPath());
    const unsigned window = m_desktop->startRuler();
    QVERIFY(window);
    QTRY_COMPARE(m_desktop->geometry(window), QRect(0, 0, 652, 120));
    QTRY_COMPARE(m_desktop->settingsText(),
                 QByteArray("[General]\nScaleMode=Millimeters\nWidth=9780\nHeight=1800\n"));

    // The default ruler: yellow, red millimetre ticks, numbers and the hint.
    QTRY_COMPARE(m_desktop->screenshot(QRect(0, 0, 652, 120)).pixel(1, 60), qRgb(255, 255, 0));
    const QImage shot = m_desktop->screenshot(QRect(0, 0, 652, 120));
    QCOMPARE(runLength(shot, QPoint(37, 0), QPoint(0, 1), exactly(qRgb(255, 0, 0))), 23);
    QCOMPARE(runLength(shot, QPoint(3, 119), QPoint(0, -1), exactly(qRgb(255, 0, 0))), 8);
    QVERIFY(!inkBox(shot, QRect(20, 23, 36, 40), nearerTo(qRgb(255, 0, 0), qRgb(255, 255, 0)))
                 .isNull());
    const QRect hint =
        inkBox(shot, shot.rect(), nearerTo(qRgb(0, 0, 0), qRgb(255, 255, 0), {qRgb(255, 0, 0)}));
    QVERIFY(qAbs(hint.center().x() - 326) <= 2);
}

void TestDesktopStartup::closeRequestStoresThePosition()
{
    m_desktop->writeSettings("[General]\nLeft=1500\nTop=3000\n");
    const unsigned window = m_desktop->startRuler();
    QVERIFY(window);
    QTRY_COMPARE(m_desktop->geometry(window).topLeft(), QPoint(100, 200));
    QVERIFY(m_desktop->xdotool({QStringLiteral("windowmove"), QString::number(window),
                                QStringLiteral("300"), QStringLiteral("40")}));
    QTRY_COMPARE(m_desktop->geometry(window).topLeft(), QPoint(300, 40));

    m_desktop->requestClose(window);
    QVERIFY(m_desktop->waitForRulerExit());
    QCOMPARE(m_desktop->stored(QStringLiteral("Left")), QStringLiteral("4500"));
    QCOMPARE(m_desktop->stored(QStringLiteral("Top")), QStringLiteral("600"));
}

void TestDesktopStartup::storedStateReachesTheWindowManager_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("above");
    QTest::addColumn<bool>("skipTaskbar");
    QTest::addColumn<qint64>("opacity");

    QTest::newRow("defaults") << QByteArray() << false << true << qint64(-1);
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

    m_desktop->writeSettings("[General]\n" + settings);
    const unsigned window = m_desktop->startRuler();
    QVERIFY(window);
    QTRY_COMPARE(m_desktop->netWmState(window).contains(QStringLiteral("_NET_WM_STATE_ABOVE")),
                 above);
    QTRY_COMPARE(
        m_desktop->netWmState(window).contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")),
        skipTaskbar);
    // Qt writes no opacity property for an opaque window.
    QTRY_VERIFY(qAbs(m_desktop->opacityProperty(window) - opacity) <= 1);
}

void TestDesktopStartup::paintsWhatTheFileSays()
{
    m_desktop->writeSettings(
        "[General]\nBackColor=#0000FF\nRulerLineColor=#00FF00\nScaleMode=Inches\n"
        "Width=15000\nHeight=2400\n");
    const unsigned window = m_desktop->startRuler();
    QVERIFY(window);
    QTRY_COMPARE(m_desktop->geometry(window), QRect(0, 0, 1000, 160));
    QImage shot;
    QTRY_VERIFY((shot = m_desktop->screenshot(QRect(0, 0, 1000, 160))).pixel(1, 80) ==
                qRgb(0, 0, 255));
    const PixelTest green = exactly(qRgb(0, 255, 0));
    QCOMPARE(runLength(shot, QPoint(96, 0), QPoint(0, 1), green), 23);    // an inch
    QCOMPARE(runLength(shot, QPoint(48, 159), QPoint(0, -1), green), 16); // half an inch
}

QTEST_GUILESS_MAIN(TestDesktopStartup)
#include "tst_desktop_startup.moc"
