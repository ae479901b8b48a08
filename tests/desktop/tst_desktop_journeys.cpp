#include "desktop_session.h"
#include "support/image_probe.h"

#include <QTest>

using namespace ImageProbe;

namespace {

const QString above = QStringLiteral("_NET_WM_STATE_ABOVE");
const QString skipTaskbar = QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR");
const QString colourTitle = QStringLiteral("设置颜色");
const QString aboutTitle = QStringLiteral("关于");
const QStringList colourItem{QStringLiteral("r"), QStringLiteral("r"), QStringLiteral("Return")};

constexpr QRgb yellow = qRgb(255, 255, 0);
constexpr QRgb red = qRgb(255, 0, 0);
constexpr QRgb black = qRgb(0, 0, 0);
// The big, mid and small ticks, 6, 4 and 2 mm at 96 dpi, in whole pixels.
constexpr int bigTick = 23;
constexpr int midTick = 16;
constexpr int smallTick = 8;

// The middle of colour row i's swatch in the colour dialog's client area,
// from the dialog's design in twips (15 to a pixel at 96 dpi): rows 0 to 3
// lie on the frame at 60 twips, rows 4 to 6 on the panel within it.
QPoint swatchMiddle(int row)
{
    constexpr int left[] = {2580, 2580, 2580, 2580, 3270, 3270, 3270};
    constexpr int top[] = {180, 765, 1350, 1920, 2760, 3285, 3840};
    return QPoint((left[row] + 435 / 2) / 15, (top[row] + 405 / 2) / 15);
}

// Where the about box shows its text (Label2 on Frame1), in its client area.
const QRect aboutTextArea((60 + 150) / 15, (90 + 180) / 15, 4350 / 15, 1980 / 15);

// Offsets of the big ticks along the top edge of a horizontal red-ticked ruler.
QList<int> bigTicks(const QImage &ruler)
{
    return tickPositions(ruler, QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), bigTick, exactly(red));
}

// Whether the ticks stand 1/ratio as far apart as the nominal ones, tick for
// tick, to within the pixel that each position is rounded to.
bool spreadByCalibration(const QList<int> &physical, const QList<int> &nominal, double ratio)
{
    if (physical.size() < 2 || nominal.size() < physical.size())
        return false;
    for (qsizetype n = 0; n < physical.size(); ++n) {
        if (qAbs(physical[n] - nominal[n] / ratio) > 1.0 / ratio)
            return false;
    }
    return true;
}

// Every choice that the first start changes from its defaults, as it leaves
// them in ruler.ini; a later start shows all of them again.
const QList<QPair<QString, QString>> firstStartChoices{
    {QStringLiteral("ScaleMode"), QStringLiteral("Pixels")},
    {QStringLiteral("Width"), QStringLiteral("11280")},
    {QStringLiteral("Height"), QStringLiteral("2400")},
    {QStringLiteral("Direction"), QStringLiteral("90")},
    {QStringLiteral("AlwaysOnTop"), QStringLiteral("True")},
    {QStringLiteral("ShowInTaskBar"), QStringLiteral("True")},
    {QStringLiteral("SizeMode"), QStringLiteral("1")},
    {QStringLiteral("Transparent"), QStringLiteral("235")},
    {QStringLiteral("BackColor"), QStringLiteral("#80FFFF")},
    {QStringLiteral("Left"), QStringLiteral("1500")},
    {QStringLiteral("Top"), QStringLiteral("300")}};

int textLines(const QImage &dialog)
{
    return textLineCount(dialog, aboutTextArea, nearerTo(black, dialog.pixel(1, 1)));
}

} // namespace

// Whole journeys through the program as a person makes them, on a desktop of
// the test's own: each step checked in ruler.ini, in what the window manager
// knows of the windows, and on the screen.
class TestDesktopJourneys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void firstStartWithoutASettingsFile();
    void laterStartRestoresWhatTheFirstChanged();
    void colourDialogRepaintsTheRuler();
    void calibrationSpreadsThePhysicalTicks();
    void aboutHelpAndQuit();

private:
    DesktopSession m_desktop;
};

void TestDesktopJourneys::initTestCase()
{
    if (!DesktopSession::programBuilt())
        QSKIP(qPrintable(DesktopSession::program() + QStringLiteral(" is not built")));
    QVERIFY2(m_desktop.start(), "no X server with a window manager could be started");
}

void TestDesktopJourneys::cleanupTestCase()
{
    m_desktop.end();
}

void TestDesktopJourneys::firstStartWithoutASettingsFile()
{
    QFile::remove(m_desktop.settingsPath());
    const unsigned ruler = m_desktop.startRuler();
    QVERIFY(ruler);

    // A horizontal millimetre ruler at the corner, opaque, among the other
    // windows and without a taskbar button.
    QTRY_COMPARE(m_desktop.geometry(ruler), QRect(0, 0, 652, 120));
    QTRY_COMPARE(
        m_desktop.settingsText(),
        DesktopSession::newFileText("[General]\nScaleMode=Millimeters\nWidth=9780\nHeight=1800\n"));
    QVERIFY(m_desktop.netWmState(ruler).contains(skipTaskbar));
    QVERIFY(!m_desktop.netWmState(ruler).contains(above));
    // Qt writes no opacity property for an opaque window.
    QCOMPARE(m_desktop.opacityProperty(ruler), qint64(-1));

    // Yellow, with red millimetre ticks and numbers, and the hint in the middle.
    QTRY_COMPARE(m_desktop.screenshot(QRect(0, 0, 652, 120)).pixel(1, 60), yellow);
    const QImage first = m_desktop.screenshot(QRect(0, 0, 652, 120));
    QCOMPARE(bigTicks(first).mid(0, 3), (QList<int>{0, 37, 75}));
    QCOMPARE(runLength(first, QPoint(37, 0), QPoint(0, 1), exactly(red)), bigTick);
    QCOMPARE(runLength(first, QPoint(3, 119), QPoint(0, -1), exactly(red)), smallTick);
    QVERIFY(!inkBox(first, QRect(20, 23, 36, 40), nearerTo(red, yellow)).isNull());
    const QRect firstHint = inkBox(first, first.rect(), nearerTo(black, yellow, {red}));
    QVERIFY(qAbs(firstHint.center().x() - 326) <= 2);

    // The menu opens where the right button was pressed; Escape closes it.
    QVERIFY(m_desktop.openMenu(QPoint(300, 60)));
    QCOMPARE(m_desktop.popupMenu().topLeft(), QPoint(300, 60));
    QVERIFY(m_desktop.pressKeys({QStringLiteral("Escape")}));
    QTRY_VERIFY(!m_desktop.popupMenuShown());

    // Dragged by its body, stretched at its corner.
    QVERIFY(m_desktop.drag(1, QPoint(300, 60), QPoint(400, 80)));
    QTRY_COMPARE(m_desktop.geometry(ruler).topLeft(), QPoint(100, 20));
    QVERIFY(m_desktop.drag(1, QPoint(100 + 652 - 8, 20 + 120 - 4),
                           QPoint(100 + 752 - 8, 20 + 160 - 4)));
    QTRY_COMPARE(m_desktop.geometry(ruler), QRect(100, 20, 752, 160));
    QTRY_COMPARE(m_desktop.stored(QStringLiteral("Width")), QStringLiteral("11280"));
    QCOMPARE(m_desktop.stored(QStringLiteral("Height")), QStringLiteral("2400"));

    // Pixels. P also marks the virtual scale, so it only picks the first
    // item with that letter, and Return chooses it.
    QPoint onRuler(300, 100);
    QVERIFY(m_desktop.chooseFromMenu(onRuler, {QStringLiteral("p"), QStringLiteral("Return")}));
    QTRY_COMPARE(m_desktop.stored(QStringLiteral("ScaleMode")), QStringLiteral("Pixels"));
    QTRY_COMPARE(bigTicks(m_desktop.screenshot(QRect(100, 20, 752, 160))),
                 (QList<int>{0, 100, 200, 300, 400, 500, 600, 700}));
    const QImage pixels = m_desktop.screenshot(QRect(100, 20, 752, 160));
    QCOMPARE(runLength(pixels, QPoint(50, 0), QPoint(0, 1), exactly(red)), midTick);
    QCOMPARE(runLength(pixels, QPoint(10, 159), QPoint(0, -1), exactly(red)), smallTick);

    // Vertical: the window turns about its top-left corner, the file keeps
    // the length and the breadth, and the scale runs down the left edge.
    QVERIFY(m_desktop.chooseFromMenu(onRuler, {QStringLiteral("v")}));
    QTRY_COMPARE(m_desktop.geometry(ruler), QRect(100, 20, 160, 752));
    QCOMPARE(m_desktop.stored(QStringLiteral("Direction")), QStringLiteral("90"));
    QCOMPARE(m_desktop.stored(QStringLiteral("Width")), QStringLiteral("11280"));
    QCOMPARE(m_desktop.stored(QStringLiteral("Height")), QStringLiteral("2400"));
    QTRY_COMPARE(tickPositions(m_desktop.screenshot(QRect(100, 20, 160, 752)), QPoint(0, 0),
                               QPoint(0, 1), QPoint(1, 0), bigTick, exactly(red)),
                 (QList<int>{0, 100, 200, 300, 400, 500, 600, 700}));
    onRuler = QPoint(180, 300);

    // Always on top.
    QVERIFY(m_desktop.chooseFromMenu(onRuler, {QStringLiteral("t")}));
    QTRY_COMPARE(m_desktop.stored(QStringLiteral("AlwaysOnTop")), QStringLiteral("True"));
    QTRY_VERIFY(m_desktop.netWmState(ruler).contains(above));

    // A taskbar button: R picks the first of three items. The file changes
    // now, the window at the next start.
    QVERIFY(m_desktop.chooseFromMenu(onRuler, {QStringLiteral("r"), QStringLiteral("Return")}));
    QTRY_COMPARE(m_desktop.stored(QStringLiteral("ShowInTaskBar")), QStringLiteral("True"));
    QVERIFY(m_desktop.netWmState(ruler).contains(skipTaskbar));

    // The physical scale without a calibration value: a modal tip, above
    // like the ruler, says how to calibrate; the switch follows its closing.
    const unsigned tip =
        m_desktop.openDialog(onRuler, {QStringLiteral("s")}, QStringLiteral("提示"));
    QVERIFY(tip);
    QCOMPARE(m_desktop.transientFor(tip), ruler);
    QTRY_VERIFY(m_desktop.netWmState(tip).contains(above));
    QVERIFY(m_desktop.isModal(tip));
    QVERIFY(m_desktop.closeDialog(tip, {QStringLiteral("Return")}));
    QTRY_COMPARE(m_desktop.stored(QStringLiteral("SizeMode")), QStringLiteral("1"));

    // Two steps more translucent, with the keypad's plus and the "=" key.
    QVERIFY(m_desktop.activate(ruler));
    QVERIFY(m_desktop.pressKeys({QStringLiteral("KP_Add"), QStringLiteral("equal")}));
    QTRY_COMPARE(m_desktop.stored(QStringLiteral("Transparent")), QStringLiteral("235"));
    QTRY_VERIFY(qAbs(m_desktop.opacityProperty(ruler) - qint64(0xEBEBEBEB)) <= 1);

    // A new background, typed into the colour dialog.
    const unsigned colours = m_desktop.openDialog(onRuler, colourItem, colourTitle);
    QVERIFY(colours);
    QVERIFY(m_desktop.pressKeys({QStringLiteral("ctrl+a")}));
    QVERIFY(m_desktop.typeText(QStringLiteral("#80ffff")));
    QVERIFY(m_desktop.closeDialog(colours, {QStringLiteral("alt+y")}));
    QCOMPARE(m_desktop.stored(QStringLiteral("BackColor")), QStringLiteral("#80FFFF"));
    QTRY_COMPARE(m_desktop.screenshot(QRect(100, 20, 160, 752)).pixel(80, 5),
                 qRgb(0x80, 0xFF, 0xFF));

    // The hint names the unit and, on the physical scale, the calibration
    // value: "像素(r=1.00)" runs well past the two characters of "像素".
    const QImage changed = m_desktop.screenshot(QRect(100, 20, 160, 752));
    const QRect hint =
        inkBox(changed, changed.rect(), nearerTo(black, qRgb(0x80, 0xFF, 0xFF), {red}));
    QVERIFY2(hint.width() > 3 * hint.height(),
             qPrintable(QStringLiteral("hint %1 x %2").arg(hint.width()).arg(hint.height())));

    // Quit from the menu: the program ends by itself and stores its place.
    QVERIFY(m_desktop.chooseFromMenu(onRuler, {QStringLiteral("q")}));
    QVERIFY(m_desktop.waitForRulerExit());
    QCOMPARE(m_desktop.rulerExitCode(), 0);
    for (const auto &[key, value] : firstStartChoices)
        QCOMPARE(m_desktop.stored(key), value);
}

void TestDesktopJourneys::laterStartRestoresWhatTheFirstChanged()
{
    // Started on the file that the first start leaves, written here, so that
    // this journey does not hang on how the other went.
    QByteArray choices;
    for (const auto &[key, value] : firstStartChoices)
        choices += key.toLatin1() + '=' + value.toLatin1() + '\n';
    unsigned ruler = m_desktop.startRuler(choices);
    QVERIFY(ruler);

    // Place, orientation and size; topmost, taskbar button and translucency;
    // unit, scale and colours: a vertical pixel ruler in the new background
    // with the calibration value in its hint.
    const QRect rulerArea(100, 20, 160, 752);
    QTRY_COMPARE(m_desktop.geometry(ruler), rulerArea);
    QTRY_VERIFY(m_desktop.netWmState(ruler).contains(above));
    QVERIFY(!m_desktop.netWmState(ruler).contains(skipTaskbar));
    QTRY_VERIFY(qAbs(m_desktop.opacityProperty(ruler) - qint64(0xEBEBEBEB)) <= 1);
    const QRgb background = qRgb(0x80, 0xFF, 0xFF);
    QTRY_COMPARE(m_desktop.screenshot(rulerArea).pixel(80, 5), background);
    QTRY_COMPARE(tickPositions(m_desktop.screenshot(rulerArea), QPoint(0, 0), QPoint(0, 1),
                               QPoint(1, 0), bigTick, exactly(red)),
                 (QList<int>{0, 100, 200, 300, 400, 500, 600, 700}));
    const QImage restored = m_desktop.screenshot(rulerArea);
    const QRect hint = inkBox(restored, restored.rect(), nearerTo(black, background, {red}));
    QVERIFY2(hint.width() > 3 * hint.height(),
             qPrintable(QStringLiteral("hint %1 x %2").arg(hint.width()).arg(hint.height())));

    // Closed by the window manager, it stores the same place again and
    // changes nothing else.
    m_desktop.requestClose(ruler);
    QVERIFY(m_desktop.waitForRulerExit());
    QCOMPARE(m_desktop.rulerExitCode(), 0);
    for (const auto &[key, value] : firstStartChoices)
        QCOMPARE(m_desktop.stored(key), value);

    // And the next start paints exactly what this one did.
    ruler = m_desktop.startRuler();
    QVERIFY(ruler);
    QTRY_COMPARE(m_desktop.geometry(ruler), rulerArea);
    QTRY_COMPARE(m_desktop.screenshot(rulerArea), restored);
}

void TestDesktopJourneys::colourDialogRepaintsTheRuler()
{
    const unsigned ruler = m_desktop.startRuler("Left=1500\nTop=1500\n");
    QVERIFY(ruler);
    const QRect rulerArea(100, 100, 652, 120);
    QTRY_COMPARE(m_desktop.geometry(ruler), rulerArea);
    QTRY_COMPARE(m_desktop.screenshot(rulerArea).pixel(1, 60), yellow);
    const QPoint onRuler(300, 160);

    // A modal dialog of the ruler's, its swatches showing the colours in use.
    unsigned dialog = m_desktop.openDialog(onRuler, colourItem, colourTitle);
    QVERIFY(dialog);
    QCOMPARE(m_desktop.transientFor(dialog), ruler);
    QTRY_VERIFY(m_desktop.isModal(dialog));
    QCOMPARE(m_desktop.geometry(dialog).size(), QSize(270, 338));
    QImage shot;
    QTRY_COMPARE((shot = m_desktop.screenshot(m_desktop.geometry(dialog))).pixel(swatchMiddle(0)),
                 yellow);
    QCOMPARE(shot.pixel(swatchMiddle(1)), red);
    QCOMPARE(shot.pixel(swatchMiddle(2)), black);
    QCOMPARE(shot.pixel(swatchMiddle(3)), red);

    // Cancel: the swatch followed the typing, but nothing is stored or painted.
    const QByteArray before = m_desktop.settingsText();
    QVERIFY(m_desktop.pressKeys({QStringLiteral("ctrl+a")}));
    QVERIFY(m_desktop.typeText(QStringLiteral("#000080")));
    QTRY_COMPARE(m_desktop.screenshot(m_desktop.geometry(dialog)).pixel(swatchMiddle(0)),
                 qRgb(0, 0, 0x80));
    QVERIFY(m_desktop.closeDialog(dialog, {QStringLiteral("alt+n")}));
    QCOMPARE(m_desktop.settingsText(), before);
    QCOMPARE(m_desktop.screenshot(rulerArea).pixel(1, 60), yellow);

    // OK: the background picked in the colour picker, the rest typed (in
    // lower case), and a colour each for big, mid and small ticks.
    dialog = m_desktop.openDialog(onRuler, colourItem, colourTitle);
    QVERIFY(dialog);
    const QPoint swatch = m_desktop.geometry(dialog).topLeft() + swatchMiddle(0);
    QVERIFY(m_desktop.xdotool({QStringLiteral("mousemove"), QString::number(swatch.x()),
                               QString::number(swatch.y()), QStringLiteral("click"),
                               QStringLiteral("1")}));
    const unsigned picker = m_desktop.waitForWindow(DesktopSession::colorPickerTitle());
    QVERIFY(picker);
    QTRY_COMPARE(m_desktop.activeWindow(), picker);
    QVERIFY(m_desktop.pickColor(picker, qRgb(0x2A, 0x4B, 0x6C)));
    QTRY_COMPARE(m_desktop.activeWindow(), dialog);
    const QList<QPair<int, QString>> typed{{1, QStringLiteral("#ffffff")},
                                           {2, QStringLiteral("#00ff00")},
                                           {4, QStringLiteral("#ff00ff")},
                                           {5, QStringLiteral("#00ffff")},
                                           {6, QStringLiteral("#0000ff")}};
    for (const auto &[row, text] : typed) {
        QVERIFY(m_desktop.pressKeys({QStringLiteral("Tab")}));
        if (row == 4) // past the common tick colour to the check box, which frees rows 4 to 6
            QVERIFY(m_desktop.pressKeys(
                {QStringLiteral("Tab"), QStringLiteral("space"), QStringLiteral("Tab")}));
        QVERIFY(m_desktop.pressKeys({QStringLiteral("ctrl+a")}));
        QVERIFY(m_desktop.typeText(text));
    }
    QTRY_COMPARE(m_desktop.screenshot(m_desktop.geometry(dialog)).pixel(swatchMiddle(6)),
                 qRgb(0, 0, 255));
    shot = m_desktop.screenshot(m_desktop.geometry(dialog));
    QCOMPARE(shot.pixel(swatchMiddle(0)), qRgb(0x2A, 0x4B, 0x6C));
    QCOMPARE(shot.pixel(swatchMiddle(1)), qRgb(255, 255, 255));
    QCOMPARE(shot.pixel(swatchMiddle(2)), qRgb(0, 255, 0));
    QCOMPARE(shot.pixel(swatchMiddle(4)), qRgb(255, 0, 255));
    QCOMPARE(shot.pixel(swatchMiddle(5)), qRgb(0, 255, 255));
    QVERIFY(m_desktop.closeDialog(dialog, {QStringLiteral("alt+y")}));

    const QList<QPair<QString, QString>> stored{
        {QStringLiteral("BackColor"), QStringLiteral("#2A4B6C")},
        {QStringLiteral("RulerWordColor"), QStringLiteral("#FFFFFF")},
        {QStringLiteral("TipWordColor"), QStringLiteral("#00FF00")},
        {QStringLiteral("RulerLineColor"), QStringLiteral("#FF0000")},
        {QStringLiteral("BigRulerLineColor"), QStringLiteral("#FF00FF")},
        {QStringLiteral("MidRulerLineColor"), QStringLiteral("#00FFFF")},
        {QStringLiteral("SmallRulerLineColor"), QStringLiteral("#0000FF")},
        {QStringLiteral("IfCustomRulerLineColor"), QStringLiteral("True")}};
    for (const auto &[key, value] : stored)
        QCOMPARE(m_desktop.stored(key), value);

    // The ruler in its new colours: 10, 5 and 1 mm ticks on both edges,
    // white numbers and a green hint in the middle.
    const QRgb background = qRgb(0x2A, 0x4B, 0x6C);
    QTRY_COMPARE((shot = m_desktop.screenshot(rulerArea)).pixel(1, 60), background);
    QCOMPARE(runLength(shot, QPoint(37, 0), QPoint(0, 1), exactly(qRgb(255, 0, 255))), bigTick);
    QCOMPARE(runLength(shot, QPoint(37, 119), QPoint(0, -1), exactly(qRgb(255, 0, 255))), bigTick);
    QCOMPARE(runLength(shot, QPoint(18, 0), QPoint(0, 1), exactly(qRgb(0, 255, 255))), midTick);
    QCOMPARE(runLength(shot, QPoint(3, 119), QPoint(0, -1), exactly(qRgb(0, 0, 255))), smallTick);
    const QList<QRgb> ticks{qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(0, 0, 255)};
    QVERIFY(!inkBox(shot, QRect(20, 23, 36, 40), nearerTo(qRgb(255, 255, 255), background, ticks))
                 .isNull());
    const QRect hint = inkBox(shot, shot.rect(), nearerTo(qRgb(0, 255, 0), background, ticks));
    QVERIFY(qAbs(hint.center().x() - 326) <= 2);
    QVERIFY(qAbs(hint.center().y() - 60) <= 2);
}

void TestDesktopJourneys::calibrationSpreadsThePhysicalTicks()
{
    const unsigned ruler = m_desktop.startRuler("Left=1500\nTop=1500\nScaleMode=Inches\n");
    QVERIFY(ruler);
    const QRect rulerArea(100, 100, 652, 120);
    QTRY_COMPARE(m_desktop.geometry(ruler), rulerArea);
    const QList<int> nominalInches{0, 96, 192, 288, 384, 480, 576};
    QTRY_COMPARE(bigTicks(m_desktop.screenshot(rulerArea)), nominalInches);
    const QPoint onRuler(300, 160);

    // While the box asks for the length, the ruler is a horizontal, virtual
    // millimetre ruler across the middle of the screen, below the box.
    const unsigned box = m_desktop.openDialog(
        onRuler,
        {QStringLiteral("r"), QStringLiteral("r"), QStringLiteral("r"), QStringLiteral("Return")},
        DesktopSession::rulerTitle, {ruler});
    QVERIFY(box);
    QCOMPARE(m_desktop.transientFor(box), ruler);
    QTRY_VERIFY(m_desktop.isModal(box));
    QTRY_COMPARE(m_desktop.stored(QStringLiteral("ScaleMode")), QStringLiteral("Millimeters"));
    QCOMPARE(m_desktop.stored(QStringLiteral("SizeMode")), QStringLiteral("0"));
    QCOMPARE(m_desktop.stored(QStringLiteral("Direction")), QStringLiteral("0"));
    QRect measuring;
    QTRY_COMPARE((measuring = m_desktop.geometry(ruler)).top(), (800 - 120) / 2 + 120);
    QVERIFY(qAbs(measuring.center().x() - 640) <= 1);
    QVERIFY(measuring.width() >= 813); // long enough to show the 200 mm span
    QVERIFY(m_desktop.frameGeometry(box).bottom() < measuring.top());
    QList<int> nominalMillimetres;
    QTRY_COMPARE((nominalMillimetres = bigTicks(m_desktop.screenshot(measuring))).mid(0, 3),
                 (QList<int>{0, 37, 75}));

    // 200 nominal millimetres measure 180 real ones.
    QTRY_COMPARE(m_desktop.activeWindow(), box);
    QVERIFY(m_desktop.pressKeys({QStringLiteral("ctrl+a")}));
    QVERIFY(m_desktop.typeText(QStringLiteral("180")));
    QVERIFY(m_desktop.closeDialog(box, {QStringLiteral("Return")}));
    QTRY_COMPARE(m_desktop.stored(QStringLiteral("Revision")), QStringLiteral("0.9"));

    // Back as it was: inches, at its place and length, virtual.
    QTRY_COMPARE(m_desktop.geometry(ruler), rulerArea);
    QCOMPARE(m_desktop.stored(QStringLiteral("ScaleMode")), QStringLiteral("Inches"));
    QCOMPARE(m_desktop.stored(QStringLiteral("Width")), QStringLiteral("9780"));
    QTRY_COMPARE(bigTicks(m_desktop.screenshot(rulerArea)), nominalInches);

    // The physical scale, calibrated, so without a tip: inches and then
    // millimetres stand 1 / 0.9 times as far apart as on the virtual scale.
    QVERIFY(m_desktop.chooseFromMenu(onRuler, {QStringLiteral("s")}));
    QTRY_COMPARE(m_desktop.stored(QStringLiteral("SizeMode")), QStringLiteral("1"));
    QVERIFY(m_desktop.windowsNamed(QStringLiteral("提示")).isEmpty());
    QTRY_VERIFY(spreadByCalibration(bigTicks(m_desktop.screenshot(rulerArea)), nominalInches, 0.9));
    QCOMPARE(bigTicks(m_desktop.screenshot(rulerArea)).size(),
             7); // 652 * 0.9 / 96: 6 inches past 0

    QVERIFY(m_desktop.chooseFromMenu(onRuler, {QStringLiteral("m")}));
    QTRY_COMPARE(m_desktop.stored(QStringLiteral("ScaleMode")), QStringLiteral("Millimeters"));
    QTRY_VERIFY(
        spreadByCalibration(bigTicks(m_desktop.screenshot(rulerArea)), nominalMillimetres, 0.9));
    QCOMPARE(bigTicks(m_desktop.screenshot(rulerArea)).size(),
             16); // 652 * 0.9 / 3.78: 150 mm past 0
}

void TestDesktopJourneys::aboutHelpAndQuit()
{
    const unsigned ruler = m_desktop.startRuler("Left=1500\nTop=1500\nAlwaysOnTop=True\n");
    QVERIFY(ruler);
    QTRY_COMPARE(m_desktop.geometry(ruler), QRect(100, 100, 652, 120));
    QTRY_VERIFY(m_desktop.netWmState(ruler).contains(above));
    const QPoint onRuler(300, 160);

    // The about box: a fixed box above the topmost ruler, with four lines of
    // text (title, version, author, forum), closed by Return on its button.
    unsigned box = m_desktop.openDialog(onRuler, {QStringLiteral("a")}, aboutTitle);
    QVERIFY(box);
    QCOMPARE(m_desktop.geometry(box).size(), QSize(320, 198));
    QCOMPARE(m_desktop.transientFor(box), ruler);
    QTRY_VERIFY(m_desktop.netWmState(box).contains(above));
    QVERIFY(m_desktop.isModal(box));
    QTRY_COMPARE(textLines(m_desktop.screenshot(m_desktop.geometry(box))), 4);
    QVERIFY(m_desktop.closeDialog(box, {QStringLiteral("Return")}));

    // Help: H picks the horizontal ruler first, then help. The same box
    // with the guide's six lines, closed through its access key.
    box = m_desktop.openDialog(onRuler,
                               {QStringLiteral("h"), QStringLiteral("h"), QStringLiteral("Return")},
                               QStringLiteral("帮助"));
    QVERIFY(box);
    QTRY_VERIFY(m_desktop.netWmState(box).contains(above));
    QTRY_COMPARE(textLines(m_desktop.screenshot(m_desktop.geometry(box))), 6);
    QVERIFY(m_desktop.closeDialog(box, {QStringLiteral("alt+c")}));
    // The first H only picked the horizontal item: nothing turned the ruler.
    QCOMPARE(m_desktop.stored(QStringLiteral("Direction")), QString());

    // About after help is the about box again, nothing of the guide left.
    box = m_desktop.openDialog(onRuler, {QStringLiteral("a")}, aboutTitle);
    QVERIFY(box);
    QTRY_COMPARE(textLines(m_desktop.screenshot(m_desktop.geometry(box))), 4);
    QVERIFY(m_desktop.closeDialog(box, {QStringLiteral("Return")}));

    // One step up with the arrow key, then quit: the program ends by itself
    // and the file gains nothing but the new place.
    QVERIFY(m_desktop.activate(ruler));
    QVERIFY(m_desktop.pressKeys({QStringLiteral("Up")}));
    QTRY_COMPARE(m_desktop.geometry(ruler).topLeft(), QPoint(100, 93));
    const QByteArray before = m_desktop.settingsText();
    QVERIFY(m_desktop.chooseFromMenu(onRuler, {QStringLiteral("q")}));
    QVERIFY(m_desktop.waitForRulerExit());
    QCOMPARE(m_desktop.rulerExitCode(), 0);
    // The window stands at whole pixels: 93 of them, 1395 twips.
    QCOMPARE(m_desktop.settingsText(), QByteArray(before).replace("Top=1500", "Top=1395"));
}

QTEST_GUILESS_MAIN(TestDesktopJourneys)
#include "tst_desktop_journeys.moc"
