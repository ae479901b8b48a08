#include "core/scale/scale_geometry.h"

#include <doctest/doctest.h>

#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

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
    for (size_t rows = 0; rows < scale.shownTicks.size(); ++rows) {
        for (const Tick &tick : scale.shownTicks[rows]) {
            if (tick.position >= 0 && tick.position < lengthPixels)
                view[size_t(tick.position)][rows] = int(tick.tickClass);
        }
    }
    return view;
}

// Every tick, as a small tick's rows show it, where steps stand a pixel or
// more apart.
const std::vector<Tick> &everyTick(const Scale &scale)
{
    return scale.shownTicks[size_t(TickClass::Small)];
}

size_t tickCount(const Scale &scale)
{
    size_t count = 0;
    for (const std::vector<Tick> &ticks : scale.shownTicks)
        count += ticks.size();
    return count;
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

TEST_CASE("millimetresOnTheDesignRuler")
{
    // 652 pixels at 96 dpi are 172.5 mm: steps 0 to 172.
    const Scale scale = computeScale(rulerOf(6, 652));
    CHECK(scale.orientation == ScaleOrientation::Horizontal);
    REQUIRE(everyTick(scale).size() == size_t(173));
    CHECK(everyTick(scale)[0].position == 0);
    CHECK(everyTick(scale)[0].tickClass == TickClass::Big);
    CHECK(everyTick(scale)[1].position == 3); // 3.78 px
    CHECK(everyTick(scale)[1].tickClass == TickClass::Small);
    CHECK(everyTick(scale)[5].position == 18); // 18.9 px
    CHECK(everyTick(scale)[5].tickClass == TickClass::Mid);
    CHECK(everyTick(scale)[10].position == 37); // 37.8 px
    CHECK(everyTick(scale)[10].tickClass == TickClass::Big);
    CHECK(everyTick(scale)[15].tickClass == TickClass::Mid);
    CHECK(everyTick(scale)[172].position == 650);

    // Numbers beside every big tick but the first: 10 to 170.
    REQUIRE(scale.numbers.size() == size_t(17));
    CHECK(scale.numbers.front().value == 10.0);
    CHECK(scale.numbers.front().centre == 37.5);
    CHECK(scale.numbers.back().value == 170.0);
    CHECK(!scale.numberBand);
}

TEST_CASE("inchesHaveTenthsHalvesAndWholes")
{
    // 9.6 pixels to the tenth of an inch; whole positions come out whole.
    const Scale scale = computeScale(rulerOf(5, 652));
    REQUIRE(everyTick(scale).size() == size_t(68)); // 652 / 9.6 = 67.9
    CHECK(everyTick(scale)[1].position == 9);
    CHECK(everyTick(scale)[5].position == 48);
    CHECK(everyTick(scale)[5].tickClass == TickClass::Mid);
    CHECK(everyTick(scale)[10].position == 96);
    CHECK(everyTick(scale)[10].tickClass == TickClass::Big);
    REQUIRE(!scale.numbers.empty());
    CHECK(scale.numbers.front().value == 1.0);
    CHECK(scale.numbers.back().value == 6.0);
}

TEST_CASE("pixelsIncludeATickOnTheFarEdge")
{
    const Scale exact = computeScale(rulerOf(3, 650));
    REQUIRE(everyTick(exact).size() == size_t(66));
    CHECK(everyTick(exact).back().position == 650);
    CHECK(everyTick(exact)[15].position == 150);
    CHECK(everyTick(exact)[15].tickClass == TickClass::Mid);
    CHECK(everyTick(exact)[20].tickClass == TickClass::Big);
    REQUIRE(exact.numbers.size() > 1);
    CHECK(exact.numbers[1].value == 200.0);
    CHECK(exact.numbers[1].centre == 200.5);

    const Scale inside = computeScale(rulerOf(3, 659));
    REQUIRE(everyTick(inside).size() == size_t(66));
    CHECK(everyTick(inside).back().position == 650);
}

TEST_CASE("onlyThePhysicalScaleSpreadsTicksByTheCalibrationValue")
{
    // With 0.9, millimetre ticks stand 3.78 / 0.9 = 4.2 pixels apart.
    const Scale scale = computeScale(rulerOf(6, 652, 0.9, true));
    REQUIRE(everyTick(scale).size() == size_t(156)); // 652 / 4.2 = 155.3
    CHECK(everyTick(scale)[1].position == 4);
    CHECK(everyTick(scale)[10].position == 41);
    REQUIRE(!scale.numbers.empty());
    CHECK(scale.numbers.front().value == 10.0);

    // On the physical scale the correction applies to pixels too.
    const Scale pixels = computeScale(rulerOf(3, 652, 0.5, true));
    REQUIRE(everyTick(pixels).size() > 1);
    CHECK(everyTick(pixels)[1].position == 20);

    const Scale nominal = computeScale(rulerOf(6, 652, 0.9, false));
    REQUIRE(everyTick(nominal).size() > 10);
    CHECK(everyTick(nominal)[10].position == 37);
}

TEST_CASE("calibrationValuesWithoutAScale")
{
    const Scale negative = computeScale(rulerOf(6, 652, -0.05, true));
    CHECK(everyTick(negative).empty());
    CHECK(negative.numbers.empty());

    const Scale zero = computeScale(rulerOf(6, 652, 0, true));
    CHECK(everyTick(zero).size() == size_t(173));
}

TEST_CASE("orientationFromDirection")
{
    ScaleInput input = rulerOf(6, 652);
    input.direction = 90;
    const Scale vertical = computeScale(input);
    CHECK(vertical.orientation == ScaleOrientation::Vertical);
    CHECK(everyTick(vertical).size() == size_t(173));

    input.direction = 45;
    const Scale other = computeScale(input);
    CHECK(other.orientation == ScaleOrientation::None);
    CHECK(everyTick(other).empty());
    CHECK(other.numbers.empty());
}

TEST_CASE("tickLengthsAreMillimetresWhateverTheUnit")
{
    const struct
    {
        std::string_view name;
        int unitCode;
        double calibration;
    } rows[] = {
        {"pixels", 3, 1.0},
        {"inches", 5, 1.0},
        {"millimetres", 6, 1.0},
        {"calibrated millimetres", 6, 0.5},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        // 2, 4 and 6 mm at 96 dpi are 7.6, 15.1 and 22.7 pixels.
        const Scale scale = computeScale(rulerOf(row.unitCode, 652, row.calibration, true));
        CHECK(scale.tickPixels == std::array<int, 3>{8, 16, 23});
    }
}

TEST_CASE("devicePixelRatioScalesPositions")
{
    ScaleInput input = rulerOf(6, 1304);
    input.devicePixelRatio = 2;
    const Scale doubled = computeScale(input);
    REQUIRE(everyTick(doubled).size() == size_t(173));
    CHECK(everyTick(doubled)[10].position == 75); // 75.6 device pixels
    CHECK(doubled.tickPixels == std::array<int, 3>{16, 31, 46});

    input.lengthPixels = 815;
    input.devicePixelRatio = 1.25;
    const Scale fractional = computeScale(input);
    REQUIRE(everyTick(fractional).size() > 10);
    CHECK(everyTick(fractional)[10].position == 47); // 47.2 device pixels
    CHECK(fractional.tickPixels == std::array<int, 3>{10, 19, 29});
}

TEST_CASE("denseTicksLookAsIfEveryStepWerePainted")
{
    const struct
    {
        std::string_view name;
        int unitCode;
        double calibration;
        double ratio;
    } rows[] = {
        {"mm, a few steps per pixel", 6, 3.3, 1.0},
        {"mm, big ticks closer than a pixel", 6, 77.7, 1.0},
        {"mm, twenty steps per pixel", 6, 81.0, 1.25},
        {"inches", 5, 13.7, 2.0},
        {"pixels", 3, 23.1, 1.0},
        {"pixels, exactly one step per pixel", 3, 10.0, 1.0},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        ScaleInput input = rulerOf(row.unitCode, 300, row.calibration, true);
        input.devicePixelRatio = row.ratio;
        const Scale scale = computeScale(input);
        CHECK(tickCount(scale) <= maxTicks(input.lengthPixels));
        CHECK(viewOf(scale, input.lengthPixels) == unboundedView(input));
    }
}

TEST_CASE("denseNumbersBecomeABand")
{
    // Big millimetre ticks 37.8 / 100 pixels apart: first and last number,
    // and the band their overlapping ink makes between them.
    const Scale scale = computeScale(rulerOf(6, 652, 100, true));
    REQUIRE(scale.numbers.size() == size_t(2));
    CHECK(scale.numbers.front().value == 10.0);
    CHECK(scale.numbers.back().value == 17250.0);
    REQUIRE(scale.numberBand);
    CHECK(scale.numberBand->fromCentre == scale.numbers.front().centre);
    CHECK(scale.numberBand->toCentre == scale.numbers.back().centre);

    // Closer than their width but a pixel or more apart: every number, one per pixel at most.
    const Scale overlapping = computeScale(rulerOf(6, 652, 20, true));
    CHECK(overlapping.numbers.size() == size_t(345)); // 652 * 20 / 37.795 / 10
    CHECK(!overlapping.numberBand);
}

TEST_CASE("workIsBoundedByTheLengthWhateverTheCalibration")
{
    const struct
    {
        std::string_view name;
        double calibration;
    } rows[] = {
        {"1e6", 1e6},
        {"1e9", 1e9},
        {"1e18, past exact counting", 1e18},
        {"1e300", 1e300},
        {"1e-300", 1e-300},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        for (int unitCode : {3, 5, 6}) {
            CAPTURE(unitCode);
            const Scale scale = computeScale(rulerOf(unitCode, 3840, row.calibration, true));
            CHECK(!everyTick(scale).empty());
            CHECK(tickCount(scale) <= maxTicks(3840));
            CHECK(scale.numbers.size() <= maxNumbers(3840));
            for (const std::vector<Tick> &ticks : scale.shownTicks) {
                for (const Tick &tick : ticks)
                    CHECK((tick.position >= 0 && tick.position <= 3840));
            }
        }
    }
}

TEST_CASE("numberTexts")
{
    CHECK(numberText(10) == "10");
    CHECK(numberText(170) == "170");
    CHECK(numberText(101600000) == "101600000");
    CHECK(numberText(1e21) == "1e+21");
}

TEST_CASE("unitHints")
{
    const struct
    {
        std::string_view name;
        int unitCode;
        bool physical;
        double calibration;
        std::string expected;
    } rows[] = {
        {"pixels", 3, false, 1.0, "像素"},
        {"inches", 5, false, 0.9, "英寸"},
        {"millimetres", 6, false, 1.0, "毫米"},
        {"any other code", 4, false, 1.0, "毫米"},
        {"physical millimetres", 6, true, 0.9, "毫米(r=0.90)"},
        {"physical pixels uncalibrated", 3, true, 1.0, "像素(r=1.00)"},
        {"negative", 6, true, -0.05, "毫米(r=-0.05)"},
        {"rounded", 5, true, 0.905, "英寸(r=0.91)"},
        // The nearest doubles of these lie below their halves.
        {"decimal half 1.005", 6, true, 1.005, "毫米(r=1.01)"},
        {"decimal half 1.025", 6, true, 1.025, "毫米(r=1.03)"},
        {"carried into the units", 6, true, 9.995, "毫米(r=10.00)"},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        CHECK(unitHint(row.unitCode, row.physical, row.calibration) == row.expected);
    }
}
