#include "core/scale/picture_layout.h"
#include "ruler/color_value_rgb.h"
#include "ruler/font_measure.h"
#include "ruler/geometry_conversion.h"
#include "ruler/ruler_painter.h"
#include "ruler/ruler_window.h"
#include "support/image_probe.h"
#include "support/ruler_on_file.h"
#include "support/ruler_pixels.h"

#include <QApplication>
#include <QPainter>
#include <QTest>


using namespace ImageProbe;
using namespace RulerPixels;

namespace {

QImage draw(RulerOnFile &painted, int unitCode)
{
    painted.ruler.behaviour().DrawRuler(unitCode);
    return painted.ruler.image();
}

// The millimetre scale of a 652-pixel ruler, red on yellow.
Scale millimetreScale(double ratio)
{
    ScaleInput input;
    input.lengthPixels = int(652 * ratio);
    input.devicePixelRatio = ratio;
    return computeScale(input);
}

DrawingSettings redOnYellow()
{
    DrawingSettings drawing;
    drawing.background = colorValueFromRgb(yellow);
    drawing.line = drawing.numbers = colorValueFromRgb(red);
    return drawing;
}

// The picture of a 652 x 120 ruler at the given ratio.
Picture millimetrePicture(double ratio)
{
    FontMeasure measure;
    measure.use(QApplication::font(), ratio);
    PictureLayout layout;
    return layout.layOut(millimetreScale(ratio), redOnYellow(), "毫米",
                         toCore((QSizeF(652, 120) * ratio).toSize()), measure);
}

// A 652 x 120 ruler at the given ratio, as painter paints it.
QImage paintedBy(RulerPainter &painter, double ratio)
{
    QImage image((QSizeF(652, 120) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter imagePainter(&image);
    painter.paint(imagePainter, millimetrePicture(ratio), QApplication::font(), ratio);
    return image;
}

} // namespace

class TestDrawRuler : public QObject
{
    Q_OBJECT

private slots:
    void defaultRulerIsYellowWithRedMillimetreTicks();
    void inchesAndPixels();
    void everyColourAndItsFallback_data();
    void everyColourAndItsFallback();
    void customTickColours_data();
    void customTickColours();
    void verticalRulerTicksFromLeftAndRight();
    void otherDirectionsPaintOnlyBackgroundAndHint();
    void physicalScaleUsesTheCalibrationValue();
    void hugeCalibrationPaintsSolidTicks();
    void windowKeepsWhatItWasLastDrawn();
    void ticksStayOneDevicePixelWide_data();
    void ticksStayOneDevicePixelWide();
    void preparedTextsPaintAsTextsDrawnWhilePainting_data();
    void preparedTextsPaintAsTextsDrawnWhilePainting();
    void colorValuesSurviveTheTripThroughQRgb();
};

void TestDrawRuler::defaultRulerIsYellowWithRedMillimetreTicks()
{
    RulerOnFile painted;
    QCOMPARE(painted.ruler.size(), QSize(652, 120));
    const QImage &image = draw(painted, 6);
    QCOMPARE(image.size(), QSize(652, 120));
    QCOMPARE(image.pixel(1, 60), yellow);

    // Big 23, mid 16, small 8 pixels from each edge; mm at 3.78 px.
    QCOMPARE(topTick(image, 0), 23);
    QCOMPARE(bottomTick(image, 0), 23);
    QCOMPARE(topTick(image, 3), 8);
    QCOMPARE(bottomTick(image, 3), 8);
    QCOMPARE(topTick(image, 18), 16);
    QCOMPARE(topTick(image, 37), 23);
    QCOMPARE(bottomTick(image, 37), 23);
    QCOMPARE(topTick(image, 650), 8); // 172 mm, the last step on the ruler
    // Between ticks: background.
    QCOMPARE(topTick(image, 1), 0);
    QCOMPARE(topTick(image, 36), 0);
}

void TestDrawRuler::inchesAndPixels()
{
    RulerOnFile painted;
    const QImage &inches = draw(painted, 5);
    QCOMPARE(topTick(inches, 9), 8);   // a tenth
    QCOMPARE(topTick(inches, 48), 16); // half an inch
    QCOMPARE(topTick(inches, 96), 23); // an inch, numbered "1"
    QVERIFY(!inkBox(inches, QRect(86, 23, 20, 30), nearerTo(red, yellow)).isNull());

    const QImage &pixels = draw(painted, 3);
    QCOMPARE(topTick(pixels, 10), 8);
    QCOMPARE(topTick(pixels, 150), 16);
    QCOMPARE(topTick(pixels, 200), 23);
    QCOMPARE(topTick(pixels, 205), 0);
    QCOMPARE(topTick(pixels, 600), 23);
    QCOMPARE(topTick(pixels, 650), 16); // the far edge of a 652-pixel ruler
}

void TestDrawRuler::everyColourAndItsFallback_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QRgb>("expected");

    QTest::newRow("background") << QByteArray("BackColor=#123456\n") << "background"
                                << qRgb(0x12, 0x34, 0x56);
    QTest::newRow("background lower case")
        << QByteArray("BackColor=#abcdef\n") << "background" << qRgb(0xAB, 0xCD, 0xEF);
    QTest::newRow("background fallback")
        << QByteArray("BackColor=#GG0000\n") << "background" << yellow;
    QTest::newRow("background 1200 characters") << "BackColor=" + QByteArray(1200, '#') + "\n"
                                                << "background" << yellow;
    QTest::newRow("ticks") << QByteArray("RulerLineColor=#00FF00\n") << "tick" << green;
    QTest::newRow("ticks fallback") << QByteArray("RulerLineColor=00FF00\n") << "tick" << red;
    QTest::newRow("numbers") << QByteArray("RulerWordColor=#0000FF\n") << "number" << blue;
    QTest::newRow("numbers fallback") << QByteArray("RulerWordColor=#0000F\n") << "number" << red;
    QTest::newRow("hint") << QByteArray("TipWordColor=#FF00FF\n") << "hint" << magenta;
    QTest::newRow("hint fallback") << QByteArray("TipWordColor=nonsense\n") << "hint" << black;
}

void TestDrawRuler::everyColourAndItsFallback()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, part);
    QFETCH(QRgb, expected);
    RulerOnFile painted(settings);
    const QImage &image = draw(painted, 6);
    const QRgb background = image.pixel(1, 60);
    if (part == u"background") {
        QCOMPARE(background, expected);
    } else if (part == u"tick") {
        QCOMPARE(topTick(image, 37, expected), 23);
    } else {
        // Anti-aliased text: its pixels are blends nearest to the text's colour.
        const QRect region = part == u"number" ? QRect(20, 23, 36, 40) : QRect(280, 30, 92, 60);
        const QList<QRgb> others{red, black, blue, magenta};
        QList<QRgb> competing;
        std::copy_if(others.begin(), others.end(), std::back_inserter(competing),
                     [&](QRgb other) { return other != expected; });
        QVERIFY(!inkBox(image, region, nearerTo(expected, background, competing)).isNull());
    }
}

void TestDrawRuler::customTickColours_data()
{
    QTest::addColumn<QByteArray>("switchText");
    QTest::addColumn<bool>("custom");
    QTest::newRow("True") << QByteArray("True") << true;
    QTest::newRow("TRUE") << QByteArray("TRUE") << true;
    QTest::newRow("true") << QByteArray("true") << true;
    QTest::newRow("1 is not true") << QByteArray("1") << false;
    QTest::newRow("False") << QByteArray("False") << false;
}

void TestDrawRuler::customTickColours()
{
    QFETCH(QByteArray, switchText);
    QFETCH(bool, custom);
    RulerOnFile painted("RulerLineColor=#010101\nBigRulerLineColor=#0000FF\n"
                        "MidRulerLineColor=#00FF00\nSmallRulerLineColor=#FF00FF\n"
                        "IfCustomRulerLineColor=" +
                        switchText + "\n");
    const QImage &image = draw(painted, 6);
    const QRgb line = qRgb(1, 1, 1);
    QCOMPARE(topTick(image, 37, custom ? blue : line), 23);
    QCOMPARE(bottomTick(image, 18, custom ? green : line), 16);
    QCOMPARE(topTick(image, 3, custom ? magenta : line), 8);
}

void TestDrawRuler::verticalRulerTicksFromLeftAndRight()
{
    RulerOnFile painted("Direction=90\n");
    painted.ruler.resize(120, 652);
    const QImage &image = draw(painted, 6);
    QCOMPARE(image.size(), QSize(120, 652));
    QCOMPARE(leftTick(image, 37), 23);
    QCOMPARE(runLength(image, QPoint(119, 37), QPoint(-1, 0), exactly(red)), 23);
    QCOMPARE(leftTick(image, 18), 16);
    QCOMPARE(leftTick(image, 3), 8);
    // "10" right of the left tick and left of the right tick, centred on row 37.
    const PixelTest ink = nearerTo(red, yellow);
    const QRect leftNumber = inkBox(image, QRect(23, 25, 37, 25), ink);
    QVERIFY(leftNumber.left() >= 23);
    QVERIFY(qAbs(leftNumber.center().y() - 37) <= 2);
    const QRect rightNumber = inkBox(image, QRect(60, 25, 37, 25), ink);
    QVERIFY(rightNumber.right() < 120 - 23);
}

void TestDrawRuler::otherDirectionsPaintOnlyBackgroundAndHint()
{
    RulerOnFile painted("Direction=45\n");
    const QImage &image = draw(painted, 6);
    QVERIFY(inkBox(image, image.rect(), nearerTo(red, yellow, {black})).isNull());
    QVERIFY(!inkBox(image, image.rect(), nearerTo(black, yellow, {red})).isNull());
}

void TestDrawRuler::physicalScaleUsesTheCalibrationValue()
{
    RulerOnFile virtualScale("SizeMode=0\nRevision=0.9\n");
    const QImage &plain = draw(virtualScale, 6);
    QCOMPARE(topTick(plain, 3), 8);
    const int plainHintWidth = inkBox(plain, plain.rect(), nearerTo(black, yellow)).width();

    RulerOnFile physical("SizeMode=1\nRevision=0.9\n");
    const QImage &image = draw(physical, 6);
    QCOMPARE(topTick(image, 3), 0);
    QCOMPARE(topTick(image, 4), 8);   // 4.2 px
    QCOMPARE(topTick(image, 41), 23); // 42 px
    // "毫米(r=0.90)" is wider than "毫米".
    QVERIFY(inkBox(image, image.rect(), nearerTo(black, yellow)).width() > plainHintWidth + 20);

    // A negative value calibrates nothing: nominal ticks, and "毫米(r=1.00)".
    RulerOnFile uncalibrated("SizeMode=1\n");
    RulerOnFile negative("SizeMode=1\nRevision=-0.05\n");
    QCOMPARE(draw(negative, 6), draw(uncalibrated, 6));
}

void TestDrawRuler::hugeCalibrationPaintsSolidTicks()
{
    // Billions of steps per pixel paint solid ticks. The scale's work is
    // bounded by counts in the core's tests and timed in ruler_bench
    // (physical 1e6): these tests also run under the sanitizers.
    RulerOnFile painted("SizeMode=1\nRevision=1e9\n");
    painted.ruler.resize(1600, 120);
    const QImage &image = draw(painted, 6);
    for (int x = 0; x < image.width(); x += 97)
        QCOMPARE(topTick(image, x), 23);
    // Numbers a billionth of their width apart merge into one band of ink.
    const QRect band = inkBox(image, QRect(0, 23, image.width(), 30), nearerTo(red, yellow));
    QVERIFY(band.width() > image.width() - 40);
}

void TestDrawRuler::windowKeepsWhatItWasLastDrawn()
{
    // The window paints what DrawRuler last read, whenever it paints, until
    // DrawRuler runs again and reads the file anew: a change shows only then.
    StartedRuler started("BackColor=#336699\n");
    const auto shown = [&] {
        return started.ruler.grab().toImage().pixel(1, 60);
    };
    QCOMPARE(shown(), qRgb(0x33, 0x66, 0x99));
    started.file.setText("[General]\nBackColor=#0000FF\n");
    started.ruler.repaint();
    QCOMPARE(shown(), qRgb(0x33, 0x66, 0x99));
    started.ruler.behaviour().DrawRuler(6);
    QCOMPARE(shown(), blue);
    QCOMPARE(started.ruler.grab().toImage().convertToFormat(QImage::Format_RGB32),
             started.ruler.image());
}

void TestDrawRuler::ticksStayOneDevicePixelWide_data()
{
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("bigTickPixel");
    QTest::addColumn<int>("bigTickLength");
    QTest::newRow("1") << 1.0 << 37 << 23;
    QTest::newRow("1.25") << 1.25 << 47 << 29;
    QTest::newRow("2") << 2.0 << 75 << 46;
}

void TestDrawRuler::ticksStayOneDevicePixelWide()
{
    QFETCH(double, ratio);
    QFETCH(int, bigTickPixel);
    QFETCH(int, bigTickLength);
    RulerPainter painter;
    const QImage image = paintedBy(painter, ratio);

    QCOMPARE(topTick(image, bigTickPixel), bigTickLength);
    QCOMPARE(topTick(image, bigTickPixel - 1), 0);
    QCOMPARE(topTick(image, bigTickPixel + 1), 0);
    QCOMPARE(bottomTick(image, bigTickPixel), bigTickLength);
    // The number starts on the first device row after the tick.
    const QRect number =
        inkBox(image, QRect(bigTickPixel - 30, bigTickLength, 60, 60), nearerTo(red, yellow));
    QVERIFY(number.top() >= bigTickLength);
}

void TestDrawRuler::preparedTextsPaintAsTextsDrawnWhilePainting_data()
{
    QTest::addColumn<double>("preparedAt");
    QTest::addColumn<double>("paintedAt");
    QTest::newRow("same ratio") << 1.0 << 1.0;
    // The window went to a screen of another ratio before its first repaint.
    QTest::newRow("ratio changed") << 1.0 << 2.0;
}

void TestDrawRuler::preparedTextsPaintAsTextsDrawnWhilePainting()
{
    QFETCH(double, preparedAt);
    QFETCH(double, paintedAt);
    RulerPainter prepared;
    prepared.prepare(millimetrePicture(preparedAt), QApplication::font(), preparedAt);

    RulerPainter unprepared;
    const QImage expected = paintedBy(unprepared, paintedAt);
    QCOMPARE(paintedBy(prepared, paintedAt), expected);
    QVERIFY(inkBox(expected, expected.rect(), nearerTo(red, yellow)).isValid());
}

void TestDrawRuler::colorValuesSurviveTheTripThroughQRgb()
{
    for (std::int32_t value = 0; value <= 0xFFFFFF; value += 0x010307)
        QCOMPARE(colorValueFromRgb(rgbFromColorValue(value)), value);
}

QTEST_MAIN(TestDrawRuler)
#include "tst_draw_ruler.moc"
