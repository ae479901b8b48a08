#include "core/settings/color_text.h"

#include <doctest/doctest.h>

#include <cstdint>
#include <string_view>

TEST_CASE("parse")
{
    const struct
    {
        std::string_view name;
        const char *text;
        std::int32_t expected;
    } rows[] = {
        {"yellow", "#FFFF00", 65535},
        {"lower-case yellow", "#ffff00", 65535},
        {"red", "#FF0000", 255},
        {"blue", "#0000FF", 16711680},
        {"black", "#000000", 0},
        {"mixed", "#12aB9c", 0x9CAB12},
        {"six characters", "FFFF00", -1},
        {"no hash", "FFFF000", -1},
        {"letter G", "#FFFF0G", -1},
        {"eight characters", "#FFFF000", -1},
        {"too short", "#FF80", -1},
        {"empty", "", -1},
        {"blank inside", "#FF FF0", -1},
        {"sign inside", "#-FFFF0", -1},
        {"full-width digit", "#FFFF0０", -1},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        CHECK(ParseColorText(row.text) == row.expected);
    }
}

TEST_CASE("colorTextIsUpperCaseRedGreenBlue")
{
    const struct
    {
        std::string_view name;
        std::int32_t value;
        const char *expected;
    } rows[] = {
        {"pure red", 255, "#FF0000"},
        {"black", 0, "#000000"},
        {"blue 10", 10 * 65536, "#00000A"},
        {"yellow", 65535, "#FFFF00"},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        CHECK(colorText(row.value) == row.expected);
    }
}

TEST_CASE("textAndValueRoundTrip")
{
    for (std::int32_t value = 0; value <= 0xFFFFFF; value += 0x010307) {
        CAPTURE(value);
        CHECK(ParseColorText(colorText(value)) == value);
    }
}
