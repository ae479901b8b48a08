#include "desktop_session.h"
#include "support/image_probe.h"

#include <QTest>

#include <memory>

using namespace ImageProbe;

// The ruler as a person uses it: with the mouse and the keyboard, through
// the window manager, on a real X server.
class TestDesktopInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rightClickOpensTheMenuAndAKeyChoosesAUnit();
    void arrowKeysMoveTheWindow();
    void leftDragMovesItAndQuitStoresThePosition();
    void middleDragMovesItToo();
    void dragOnTheGripStretchesIt();
    void plusAndMinusKeysChangeTheTranslucency();
    void cleanupTestCase();

private:
    unsigned startFocused(const QByteArray &settings);

    std::unique_ptr<DesktopSession> m_desktop;
};

void TestDesktopInput::initTestCase()
{
    m_desktop = std::make_unique<DesktopSession>();
    QVERIFY2(m_desktop->isReady(), "no X server with a window manager could be started");
}

void TestDesktopInput::cleanupTestCase()
{
    m_desktop.reset();
}

unsigned TestDesktopInput::startFocused(const QByteArray &settings)
{
    m_desktop->writeSettings("[General]\n" + settings);
    const unsigned window = m_desktop->startRuler();
    if (window)
        m_desktop->activate(window);
    return window;
}

void TestDesktopInput::rightClickOpensTheMenuAndAKeyChoosesAUnit()
{
    const unsigned window = startFocused("Left=1500\nTop=1500\n");
    QVERIFY(window);
    QVERIFY(
        m_desktop->xdotool({QStringLiteral("mousemove"), QStringLiteral("300"),
                            QStringLiteral("150"), QStringLiteral("click"), QStringLiteral("3")}));
    QTRY_VERIFY(m_desktop->popupMenuShown());
    QVERIFY(m_desktop->xdotool({QStringLiteral("key"), QStringLiteral("i")}));
    QTRY_COMPARE(m_desktop->stored(QStringLiteral("ScaleMode")), QStringLiteral("Inches"));
    QTRY_VERIFY(!m_desktop->popupMenuShown());
    // An inch tick 96 pixels from the ruler's left edge.
    QTRY_COMPARE(runLength(m_desktop->screenshot(QRect(100, 100, 652, 120)), QPoint(96, 0),
                           QPoint(0, 1), exactly(qRgb(255, 0, 0))),
                 23);
}

void TestDesktopInput::arrowKeysMoveTheWindow()
{
    const unsigned window = startFocused("Left=1500\nTop=1500\n");
    QVERIFY(window);
    QVERIFY(m_desktop->xdotool({QStringLiteral("key"), QStringLiteral("Up")}));
    QTRY_COMPARE(m_desktop->geometry(window).topLeft(), QPoint(100, 93));
    QVERIFY(m_desktop->xdotool({QStringLiteral("key"), QStringLiteral("shift+Right")}));
    QTRY_COMPARE(m_desktop->geometry(window).topLeft(), QPoint(101, 93));
    QVERIFY(m_desktop->xdotool({QStringLiteral("key"), QStringLiteral("ctrl+Left")}));
    QTRY_COMPARE(m_desktop->geometry(window).topLeft(), QPoint(94, 93));
}

void TestDesktopInput::leftDragMovesItAndQuitStoresThePosition()
{
    const unsigned window = startFocused("Left=1500\nTop=1500\n");
    QVERIFY(window);
    QVERIFY(m_desktop->drag(1, QPoint(300, 150), QPoint(400, 250)));
    QTRY_COMPARE(m_desktop->geometry(window).topLeft(), QPoint(200, 200));

    QVERIFY(
        m_desktop->xdotool({QStringLiteral("mousemove"), QStringLiteral("400"),
                            QStringLiteral("250"), QStringLiteral("click"), QStringLiteral("3")}));
    QTRY_VERIFY(m_desktop->popupMenuShown());
    QVERIFY(m_desktop->xdotool({QStringLiteral("key"), QStringLiteral("q")}));
    QVERIFY(m_desktop->waitForRulerExit());
    QCOMPARE(m_desktop->stored(QStringLiteral("Left")), QStringLiteral("3000"));
    QCOMPARE(m_desktop->stored(QStringLiteral("Top")), QStringLiteral("3000"));
}

void TestDesktopInput::middleDragMovesItToo()
{
    const unsigned window = startFocused("Left=1500\nTop=1500\n");
    QVERIFY(window);
    QVERIFY(m_desktop->drag(2, QPoint(300, 150), QPoint(250, 190)));
    QTRY_COMPARE(m_desktop->geometry(window).topLeft(), QPoint(50, 140));
    // Released: the window no longer follows the pointer.
    QVERIFY(m_desktop->xdotool(
        {QStringLiteral("mousemove"), QStringLiteral("500"), QStringLiteral("500")}));
    QTest::qWait(100);
    QCOMPARE(m_desktop->geometry(window).topLeft(), QPoint(50, 140));
}

void TestDesktopInput::dragOnTheGripStretchesIt()
{
    const unsigned window = startFocused("Left=1500\nTop=1500\n");
    QVERIFY(window);
    // The grip fills the last 24 x 12 pixels of the ruler.
    QVERIFY(m_desktop->drag(1, QPoint(100 + 652 - 8, 100 + 120 - 4),
                            QPoint(100 + 752 - 8, 100 + 160 - 4)));
    QTRY_COMPARE(m_desktop->geometry(window), QRect(100, 100, 752, 160));
    QTRY_COMPARE(m_desktop->stored(QStringLiteral("Width")), QStringLiteral("11280"));
    QCOMPARE(m_desktop->stored(QStringLiteral("Height")), QStringLiteral("2400"));
}

void TestDesktopInput::plusAndMinusKeysChangeTheTranslucency()
{
    const unsigned window = startFocused("Transparent=200\n");
    QVERIFY(window);
    QVERIFY(m_desktop->xdotool({QStringLiteral("key"), QStringLiteral("KP_Add")}));
    QTRY_COMPARE(m_desktop->stored(QStringLiteral("Transparent")), QStringLiteral("190"));
    QVERIFY(m_desktop->xdotool({QStringLiteral("key"), QStringLiteral("equal")}));
    QTRY_COMPARE(m_desktop->stored(QStringLiteral("Transparent")), QStringLiteral("180"));
    QVERIFY(m_desktop->xdotool({QStringLiteral("key"), QStringLiteral("KP_Subtract")}));
    QTRY_COMPARE(m_desktop->stored(QStringLiteral("Transparent")), QStringLiteral("190"));
    QTRY_VERIFY(qAbs(m_desktop->opacityProperty(window) - qint64(190.0 / 255 * 0xFFFFFFFFu)) <= 1);
}

QTEST_GUILESS_MAIN(TestDesktopInput)
#include "tst_desktop_input.moc"
