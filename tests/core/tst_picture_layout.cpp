#include "core/scale/picture_layout.h"

#include "fake_text_measure.h"

#include <doctest/doctest.h>

#include <string_view>

namespace {

constexpr ColorValue yellow = 0x00FFFF;
constexpr ColorValue red = 0x0000FF;
constexpr ColorValue black = 0;

DrawingSettings redOnYellow()
{
    DrawingSettings drawing;
    drawing.background = yellow;
    drawing.numbers = drawing.line = red;
    drawing.hint = black;
    return drawing;
}

// The millimetre scale of a ruler of the given length in pixels at 96 dpi.
Scale millimetres(int lengthPixels, double direction = 0)
{
    ScaleInput input;
    input.lengthPixels = lengthPixels;
    input.direction = direction;
    return computeScale(input);
}

Scale inches(int lengthPixels)
{
    ScaleInput input;
    input.unitCode = 5;
    input.lengthPixels = lengthPixels;
    return computeScale(input);
}

} // namespace

TEST_CASE("numbersStandOnBothEdgesCentredOnTheirTicksAndTheHintInTheMiddle")
{
    // Big ticks 23 pixels long, "10" on the one at pixel 37 (centre 37.5);
    // in the fake font "10" is 16 pixels wide and "毫米" too, on a line 16
    // pixels high with the baseline 12 below its top.
    const struct
    {
        std::string_view name;
        double direction;
        Size device;
        Point firstTen;  // top or left edge
        Point secondTen; // bottom or right edge
        Point hint;
    } rows[] = {
        // Under the top tick and over the bottom one: 37.5 - 16 / 2 rounds
        // to 30; baselines 23 + 12 and 120 - 23 - 16 + 12.
        {"horizontal", 0, {652, 120}, {30, 35}, {30, 93}, {318, 64}},
        // Right of the left tick and left of the right one (120 - 23 - 16),
        // centred on row 37.5: 37.5 - 16 / 2 + 12 rounds to 42.
        {"vertical", 90, {120, 652}, {23, 42}, {81, 42}, {52, 330}},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        PictureLayout layout;
        const Picture &picture = layout.layOut(millimetres(652, row.direction), redOnYellow(),
                                               "毫米", row.device, FakeTextMeasure());
        // "10" to "170", each on the first edge and then the second, then the hint.
        REQUIRE(picture.texts.size() == size_t(2 * 17 + 1));
        const PictureText &first = picture.texts[0];
        const PictureText &second = picture.texts[1];
        CHECK(first.text == "10");
        CHECK(first.baselineLeft.x == row.firstTen.x);
        CHECK(first.baselineLeft.y == row.firstTen.y);
        CHECK(first.color == red);
        CHECK(picture.texts[33].text == "170");
        CHECK(second.text == "10");
        CHECK(second.baselineLeft.x == row.secondTen.x);
        CHECK(second.baselineLeft.y == row.secondTen.y);
        const PictureText &hint = picture.texts.back();
        CHECK(hint.text == "毫米");
        CHECK(hint.baselineLeft.x == row.hint.x);
        CHECK(hint.baselineLeft.y == row.hint.y);
        CHECK(hint.color == black);
    }
}

TEST_CASE("tickBandsReachNoFurtherThanHalfwayAcross")
{
    // Ticks of 8, 16 and 23 pixels on a ruler 31 pixels broad: the mid and
    // big ticks stop at row 15, and the background fills the one row left
    // between the two edges' bands.
    PictureLayout layout;
    const Picture &picture =
        layout.layOut(millimetres(652), redOnYellow(), "毫米", {652, 31}, FakeTextMeasure());
    REQUIRE(picture.bands.size() == size_t(2));
    const TickBand &every = picture.bands[0];
    CHECK(every.areas[0].y == 0);
    CHECK(every.areas[0].height == 8);
    CHECK(every.areas[1].y == 23);
    CHECK(every.areas[1].height == 8);
    CHECK(every.lines.size() == size_t(173));
    const TickBand &midAndBig = picture.bands[1];
    CHECK(midAndBig.areas[0].y == 8);
    CHECK(midAndBig.areas[0].height == 7);
    CHECK(midAndBig.areas[1].y == 16);
    CHECK(midAndBig.areas[1].height == 7);
    REQUIRE(midAndBig.lines.size() > size_t(2));
    CHECK(midAndBig.lines[1].position == 18); // 5 mm
    CHECK(midAndBig.lines[2].position == 37); // 10 mm
    for (const Rect &area : {every.areas[0], midAndBig.areas[1]}) {
        CHECK(area.x == 0);
        CHECK(area.width == 652);
    }

    const PictureFill &background = picture.fills.front();
    CHECK(background.area.y == 15);
    CHECK(background.area.height == 1);
    CHECK(background.color == yellow);
}

TEST_CASE("aPictureLaidOutOverTheOneBeforeShowsOnlyItsOwnScale")
{
    // The layout keeps the numbers' texts from one picture to the next:
    // after other numbers, fewer of them, and the same numbers after a ruler
    // without a scale, each picture shows what a layout of its own shows.
    const Scale scales[] = {millimetres(1304), inches(652), millimetres(652),
                            millimetres(652, 45), millimetres(652)};
    PictureLayout reused;
    for (const Scale &scale : scales) {
        const Picture &picture =
            reused.layOut(scale, redOnYellow(), "毫米", {1304, 120}, FakeTextMeasure());
        PictureLayout fresh;
        const Picture &expected =
            fresh.layOut(scale, redOnYellow(), "毫米", {1304, 120}, FakeTextMeasure());
        REQUIRE(picture.texts.size() == expected.texts.size());
        for (size_t i = 0; i < picture.texts.size(); ++i) {
            CAPTURE(i);
            CHECK(picture.texts[i].text == expected.texts[i].text);
            CHECK(picture.texts[i].baselineLeft.x == expected.texts[i].baselineLeft.x);
        }
        REQUIRE(picture.bands.size() == expected.bands.size());
        for (size_t i = 0; i < picture.bands.size(); ++i)
            CHECK(picture.bands[i].lines.size() == expected.bands[i].lines.size());
    }
}
