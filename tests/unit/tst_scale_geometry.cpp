#include "core/scale/scale_geometry.h"

#include <QTest>

#include <cmath>

namespace {

ScaleInput rulerOf(int unitCode, int lengthPixels, double calibration = 1, bool physical = false)
{
    ScaleInput input;
    input.unitCode = unitCode;
    input.lengthPixels = lengthPixels;
    input.calibration = calibration;
    input.physical = physical;
    return input;
}

// What each pixel along the scale shows after painting: for the rows of a
// small tick, of a mid tick and of a big tick, the class of the last tick
// painted over them (-1 where none was).
using PixelView = std::vector<std::array<int, 3>>;

void paintInto(PixelView &view, int position, TickClass tickClass)
{
    if (position < 0 || position >= int(view.size()))
        return;
    for (int rows = 0; rows <= int(tickClass); ++rows)
        view[size_t(position)][size_t(rows)] = int(tickClass);
}

PixelView viewOf(const Scale &scale, int lengthPixels)
{
    PixelView view(size_t(lengthPixels), {-1, -1, -1});
    for (const Tick &tick : scale.ticks)
        paintInto(view, tick.position, tick.tickClass);
    return view;
}

// Paints every step of the scale as a plain loop over the counter would,
// without any bound: the reference for what the ruler must look like.
PixelView unboundedView(const ScaleInput &input)
{
    const double pixelsPerUnit = input.unitCode == 3   ? 1.0
                                 : input.unitCode == 5 ? input.logicalDpi
                                                       : input.logicalDpi / 25.4;
    const double step = input.unitCode == 3 ? 10 : 1;
    const double perUnit = input.unitCode == 5 ? 10 : 1;
    const double drawingUnit = pixelsPerUnit * input.devicePixelRatio / input.calibration;
    const double length = input.lengthPixels / drawingUnit;
    PixelView view(size_t(input.lengthPixels), {-1, -1, -1});
    for (double c = 0; c <= length * perUnit; c += step) {
        const double x = c / perUnit * drawingUnit;
        const auto tickClass = std::fmod(c, 10 * step) == 0  ? TickClass::Big
                               : std::fmod(c, 5 * step) == 0 ? TickClass::Mid
                                                             : TickClass::Small;
        paintInto(view, int(std::floor(x + 1e-9)), tickClass);
    }
    return view;
}

} // namespace

class TestScaleGeometry : public QObject
{
    Q_OBJECT

private slots:
    void millimetresOnTheDesignRuler();
    void inchesHaveTenthsHalvesAndWholes();
    void pixelsIncludeATickOnTheFarEdge();
    void onlyThePhysicalScaleSpreadsTicksByTheCalibrationValue();
    void calibrationValuesWithoutAScale();
    void orientationFromDirection();
    void tickLengthsAreMillimetresWhateverTheUnit_data();
    void tickLengthsAreMillimetresWhateverTheUnit();
    void devicePixelRatioScalesPositions();
    void denseTicksLookAsIfEveryStepWerePainted_data();
    void denseTicksLookAsIfEveryStepWerePainted();
    void denseNumbersBecomeABand();
    void workIsBoundedByTheLengthWhateverTheCalibration_data();
    void workIsBoundedByTheLengthWhateverTheCalibration();
    void numberTexts();
    void unitHints_data();
    void unitHints();
};

void TestScaleGeometry::millimetresOnTheDesignRuler()
{
    // 652 pixels at 96 dpi are 172.5 mm: steps 0 to 172.
    const Scale scale = computeScale(rulerOf(6, 652));
    QCOMPARE(scale.orientation, ScaleOrientation::Horizontal);
    QCOMPARE(scale.ticks.size(), size_t(173));
    QCOMPARE(scale.ticks[0].position, 0);
    QCOMPARE(scale.ticks[0].tickClass, TickClass::Big);
    QCOMPARE(scale.ticks[1].position, 3); // 3.78 px
    QCOMPARE(scale.ticks[1].tickClass, TickClass::Small);
    QCOMPARE(scale.ticks[5].position, 18); // 18.9 px
    QCOMPARE(scale.ticks[5].tickClass, TickClass::Mid);
    QCOMPARE(scale.ticks[10].position, 37); // 37.8 px
    QCOMPARE(scale.ticks[10].tickClass, TickClass::Big);
    QCOMPARE(scale.ticks[15].tickClass, TickClass::Mid);
    QCOMPARE(scale.ticks[172].position, 650);

    // Numbers beside every big tick but the first: 10 to 170.
    QCOMPARE(scale.numbers.size(), size_t(17));
    QCOMPARE(scale.numbers.front().value, 10.0);
    QCOMPARE(scale.numbers.front().centre, 37.5);
    QCOMPARE(scale.numbers.back().value, 170.0);
    QVERIFY(!scale.numberBand);
}

void TestScaleGeometry::inchesHaveTenthsHalvesAndWholes()
{
    // 9.6 pixels to the tenth of an inch; whole positions come out whole.
    const Scale scale = computeScale(rulerOf(5, 652));
    QCOMPARE(scale.ticks.size(), size_t(68)); // 652 / 9.6 = 67.9
    QCOMPARE(scale.ticks[1].position, 9);
    QCOMPARE(scale.ticks[5].position, 48);
    QCOMPARE(scale.ticks[5].tickClass, TickClass::Mid);
    QCOMPARE(scale.ticks[10].position, 96);
    QCOMPARE(scale.ticks[10].tickClass, TickClass::Big);
    QCOMPARE(scale.numbers.front().value, 1.0);
    QCOMPARE(scale.numbers.back().value, 6.0);
}

void TestScaleGeometry::pixelsIncludeATickOnTheFarEdge()
{
    const Scale exact = computeScale(rulerOf(3, 650));
    QCOMPARE(exact.ticks.size(), size_t(66));
    QCOMPARE(exact.ticks.back().position, 650);
    QCOMPARE(exact.ticks[15].position, 150);
    QCOMPARE(exact.ticks[15].tickClass, TickClass::Mid);
    QCOMPARE(exact.ticks[20].tickClass, TickClass::Big);
    QCOMPARE(exact.numbers[1].value, 200.0);
    QCOMPARE(exact.numbers[1].centre, 200.5);

    const Scale inside = computeScale(rulerOf(3, 659));
    QCOMPARE(inside.ticks.size(), size_t(66));
    QCOMPARE(inside.ticks.back().position, 650);
}

void TestScaleGeometry::onlyThePhysicalScaleSpreadsTicksByTheCalibrationValue()
{
    // With 0.9, millimetre ticks stand 3.78 / 0.9 = 4.2 pixels apart.
    const Scale scale = computeScale(rulerOf(6, 652, 0.9, true));
    QCOMPARE(scale.ticks[1].position, 4);
    QCOMPARE(scale.ticks[10].position, 41);
    QCOMPARE(scale.ticks.size(), size_t(156)); // 652 / 4.2 = 155.3
    QCOMPARE(scale.numbers.front().value, 10.0);

    // On the physical scale the correction applies to pixels too.
    const Scale pixels = computeScale(rulerOf(3, 652, 0.5, true));
    QCOMPARE(pixels.ticks[1].position, 20);

    const Scale nominal = computeScale(rulerOf(6, 652, 0.9, false));
    QCOMPARE(nominal.ticks[10].position, 37);
}

void TestScaleGeometry::calibrationValuesWithoutAScale()
{
    const Scale negative = computeScale(rulerOf(6, 652, -0.05, true));
    QVERIFY(negative.ticks.empty());
    QVERIFY(negative.numbers.empty());

    const Scale zero = computeScale(rulerOf(6, 652, 0, true));
    QCOMPARE(zero.ticks.size(), size_t(173));
}

void TestScaleGeometry::orientationFromDirection()
{
    ScaleInput input = rulerOf(6, 652);
    input.direction = 90;
    const Scale vertical = computeScale(input);
    QCOMPARE(vertical.orientation, ScaleOrientation::Vertical);
    QCOMPARE(vertical.ticks.size(), size_t(173));

    input.direction = 45;
    const Scale other = computeScale(input);
    QCOMPARE(other.orientation, ScaleOrientation::None);
    QVERIFY(other.ticks.empty());
    QVERIFY(other.numbers.empty());
}

void TestScaleGeometry::tickLengthsAreMillimetresWhateverTheUnit_data()
{
    QTest::addColumn<int>("unitCode");
    QTest::addColumn<double>("calibration");
    QTest::newRow("pixels") << 3 << 1.0;
    QTest::newRow("inches") << 5 << 1.0;
    QTest::newRow("millimetres") << 6 << 1.0;
    QTest::newRow("calibrated millimetres") << 6 << 0.5;
}

void TestScaleGeometry::tickLengthsAreMillimetresWhateverTheUnit()
{
    QFETCH(int, unitCode);
    QFETCH(double, calibration);
    // 2, 4 and 6 mm at 96 dpi are 7.6, 15.1 and 22.7 pixels.
    const Scale scale = computeScale(rulerOf(unitCode, 652, calibration, true));
    QCOMPARE(scale.tickPixels, (std::array<int, 3>{8, 16, 23}));
}

void TestScaleGeometry::devicePixelRatioScalesPositions()
{
    ScaleInput input = rulerOf(6, 1304);
    input.devicePixelRatio = 2;
    const Scale doubled = computeScale(input);
    QCOMPARE(doubled.ticks.size(), size_t(173));
    QCOMPARE(doubled.ticks[10].position, 75); // 75.6 device pixels
    QCOMPARE(doubled.tickPixels, (std::array<int, 3>{16, 31, 46}));

    input.lengthPixels = 815;
    input.devicePixelRatio = 1.25;
    const Scale fractional = computeScale(input);
    QCOMPARE(fractional.ticks[10].position, 47); // 47.2 device pixels
    QCOMPARE(fractional.tickPixels, (std::array<int, 3>{10, 19, 29}));
}

void TestScaleGeometry::denseTicksLookAsIfEveryStepWerePainted_data()
{
    QTest::addColumn<int>("unitCode");
    QTest::addColumn<double>("calibration");
    QTest::addColumn<double>("ratio");

    QTest::newRow("mm, a few steps per pixel") << 6 << 3.3 << 1.0;
    QTest::newRow("mm, big ticks closer than a pixel") << 6 << 77.7 << 1.0;
    QTest::newRow("mm, twenty steps per pixel") << 6 << 81.0 << 1.25;
    QTest::newRow("inches") << 5 << 13.7 << 2.0;
    QTest::newRow("pixels") << 3 << 23.1 << 1.0;
    QTest::newRow("pixels, exactly one step per pixel") << 3 << 10.0 << 1.0;
}

void TestScaleGeometry::denseTicksLookAsIfEveryStepWerePainted()
{
    QFETCH(int, unitCode);
    QFETCH(double, calibration);
    QFETCH(double, ratio);
    ScaleInput input = rulerOf(unitCode, 300, calibration, true);
    input.devicePixelRatio = ratio;
    const Scale scale = computeScale(input);
    QVERIFY(scale.ticks.size() <= maxTicks(input.lengthPixels));
    QCOMPARE(viewOf(scale, input.lengthPixels), unboundedView(input));
}

void TestScaleGeometry::denseNumbersBecomeABand()
{
    // Big millimetre ticks 37.8 / 100 pixels apart: first and last number,
    // and the band their overlapping ink makes between them.
    const Scale scale = computeScale(rulerOf(6, 652, 100, true));
    QCOMPARE(scale.numbers.size(), size_t(2));
    QCOMPARE(scale.numbers.front().value, 10.0);
    QCOMPARE(scale.numbers.back().value, 17250.0);
    QVERIFY(scale.numberBand);
    QCOMPARE(scale.numberBand->fromCentre, scale.numbers.front().centre);
    QCOMPARE(scale.numberBand->toCentre, scale.numbers.back().centre);

    // Closer than their width but a pixel or more apart: every number, one per pixel at most.
    const Scale overlapping = computeScale(rulerOf(6, 652, 20, true));
    QCOMPARE(overlapping.numbers.size(), size_t(345)); // 652 * 20 / 37.795 / 10
    QVERIFY(!overlapping.numberBand);
}

void TestScaleGeometry::workIsBoundedByTheLengthWhateverTheCalibration_data()
{
    QTest::addColumn<double>("calibration");
    QTest::newRow("1e6") << 1e6;
    QTest::newRow("1e9") << 1e9;
    QTest::newRow("1e18, past exact counting") << 1e18;
    QTest::newRow("1e300") << 1e300;
    QTest::newRow("1e-300") << 1e-300;
}

void TestScaleGeometry::workIsBoundedByTheLengthWhateverTheCalibration()
{
    QFETCH(double, calibration);
    for (int unitCode : {3, 5, 6}) {
        const Scale scale = computeScale(rulerOf(unitCode, 3840, calibration, true));
        QVERIFY(!scale.ticks.empty());
        QVERIFY(scale.ticks.size() <= maxTicks(3840));
        QVERIFY(scale.numbers.size() <= maxNumbers(3840));
        for (const Tick &tick : scale.ticks)
            QVERIFY(tick.position >= 0 && tick.position <= 3840);
    }
}

void TestScaleGeometry::numberTexts()
{
    QCOMPARE(QString::fromStdString(numberText(10)), QStringLiteral("10"));
    QCOMPARE(QString::fromStdString(numberText(170)), QStringLiteral("170"));
    QCOMPARE(QString::fromStdString(numberText(101600000)), QStringLiteral("101600000"));
    QCOMPARE(QString::fromStdString(numberText(1e21)), QStringLiteral("1e+21"));
}

void TestScaleGeometry::unitHints_data()
{
    QTest::addColumn<int>("unitCode");
    QTest::addColumn<bool>("physical");
    QTest::addColumn<double>("calibration");
    QTest::addColumn<QString>("expected");

    QTest::newRow("pixels") << 3 << false << 1.0 << "像素";
    QTest::newRow("inches") << 5 << false << 0.9 << "英寸";
    QTest::newRow("millimetres") << 6 << false << 1.0 << "毫米";
    QTest::newRow("any other code") << 4 << false << 1.0 << "毫米";
    QTest::newRow("physical millimetres") << 6 << true << 0.9 << "毫米(r=0.90)";
    QTest::newRow("physical pixels uncalibrated") << 3 << true << 1.0 << "像素(r=1.00)";
    QTest::newRow("negative") << 6 << true << -0.05 << "毫米(r=-0.05)";
    QTest::newRow("rounded") << 5 << true << 0.905 << "英寸(r=0.91)";
    // The nearest doubles of these lie below their halves.
    QTest::newRow("decimal half 1.005") << 6 << true << 1.005 << "毫米(r=1.01)";
    QTest::newRow("decimal half 1.025") << 6 << true << 1.025 << "毫米(r=1.03)";
    QTest::newRow("carried into the units") << 6 << true << 9.995 << "毫米(r=10.00)";
}

void TestScaleGeometry::unitHints()
{
    QFETCH(int, unitCode);
    QFETCH(bool, physical);
    QFETCH(double, calibration);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(unitHint(unitCode, physical, calibration)), expected);
}

QTEST_GUILESS_MAIN(TestScaleGeometry)
#include "tst_scale_geometry.moc"
