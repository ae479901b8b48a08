#include "desktop_session.h"
#include "support/image_probe.h"

#include <QTest>

using namespace ImageProbe;

// The ruler as a person uses it: with the mouse and the keyboard, through
// the window manager, on a real X server. Dragging it by its body and by
// its grip, and quitting from the menu, are part of tst_desktop_journeys.
class TestDesktopInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void rightClickOpensTheMenuAndAKeyChoosesAUnit();
    void arrowKeysMoveTheWindow();
    void middleDragMovesIt();
    void plusAndMinusKeysChangeTheTranslucency();

private:
    unsigned startFocused(const QByteArray &settings);

    DesktopSession m_desktop;
};

void TestDesktopInput::initTestCase()
{
    if (!DesktopSession::programBuilt())
        QSKIP(qPrintable(DesktopSession::program() + QStringLiteral(" is not built")));
    QVERIFY2(m_desktop.start(), "no X server with a window manager could be started");
}

void TestDesktopInput::cleanupTestCase()
{
    m_desktop.end();
}

unsigned TestDesktopInput::startFocused(const QByteArray &settings)
{
    const unsigned window = m_desktop.startRuler(settings);
    if (window)
        m_desktop.activate(window);
    return window;
}

void TestDesktopInput::rightClickOpensTheMenuAndAKeyChoosesAUnit()
{
    QVERIFY(startFocused("Left=1500\nTop=1500\n"));
    QVERIFY(m_desktop.chooseFromMenu(QPoint(300, 150), {QStringLiteral("i")}));
    QTRY_COMPARE(m_desktop.stored(QStringLiteral("ScaleMode")), QStringLiteral("Inches"));
    // An inch tick 96 pixels from the ruler's left edge.
    QTRY_COMPARE(runLength(m_desktop.screenshot(QRect(100, 100, 652, 120)), QPoint(96, 0),
                           QPoint(0, 1), exactly(qRgb(255, 0, 0))),
                 23);
}

void TestDesktopInput::arrowKeysMoveTheWindow()
{
    const unsigned window = startFocused("Left=1500\nTop=1500\n");
    QVERIFY(window);
    QVERIFY(m_desktop.pressKeys({QStringLiteral("Up")}));
    QTRY_COMPARE(m_desktop.geometry(window).topLeft(), QPoint(100, 93));
    QVERIFY(m_desktop.pressKeys({QStringLiteral("shift+Right")}));
    QTRY_COMPARE(m_desktop.geometry(window).topLeft(), QPoint(101, 93));
    QVERIFY(m_desktop.pressKeys({QStringLiteral("ctrl+Left")}));
    QTRY_COMPARE(m_desktop.geometry(window).topLeft(), QPoint(94, 93));
}

void TestDesktopInput::middleDragMovesIt()
{
    const unsigned window = startFocused("Left=1500\nTop=1500\n");
    QVERIFY(window);
    QVERIFY(m_desktop.drag(2, QPoint(300, 150), QPoint(250, 190)));
    QTRY_COMPARE(m_desktop.geometry(window).topLeft(), QPoint(50, 140));
    // Released: the window no longer follows the pointer.
    QVERIFY(m_desktop.xdotool(
        {QStringLiteral("mousemove"), QStringLiteral("500"), QStringLiteral("500")}));
    QTest::qWait(100);
    QCOMPARE(m_desktop.geometry(window).topLeft(), QPoint(50, 140));
}

void TestDesktopInput::plusAndMinusKeysChangeTheTranslucency()
{
    const unsigned window = startFocused("Transparent=200\n");
    QVERIFY(window);
    QVERIFY(m_desktop.pressKeys({QStringLiteral("KP_Add")}));
    QTRY_COMPARE(m_desktop.stored(QStringLiteral("Transparent")), QStringLiteral("190"));
    QVERIFY(m_desktop.pressKeys({QStringLiteral("equal")}));
    QTRY_COMPARE(m_desktop.stored(QStringLiteral("Transparent")), QStringLiteral("180"));
    QVERIFY(m_desktop.pressKeys({QStringLiteral("KP_Subtract")}));
    QTRY_COMPARE(m_desktop.stored(QStringLiteral("Transparent")), QStringLiteral("190"));
    QTRY_VERIFY(qAbs(m_desktop.opacityProperty(window) - qint64(0xBEBEBEBE)) <= 1);
}

QTEST_GUILESS_MAIN(TestDesktopInput)
#include "tst_desktop_input.moc"
