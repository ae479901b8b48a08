#include "core/settings/numeric_text.h"

#include <doctest/doctest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

using namespace NumericText;

namespace {

struct TextAndNumber
{
    std::string_view name;
    std::string text;
    double expected;
};

} // namespace

TEST_CASE("readsTheLeadingNumber")
{
    const TextAndNumber rows[] = {
        {"empty", "", 0.0},
        {"letters", "abc", 0.0},
        {"integer", "90", 90.0},
        {"decimal", "90.0", 90.0},
        {"trailing junk", "12abc", 12.0},
        {"plus sign", "+5", 5.0},
        {"minus sign", "-300", -300.0},
        {"no integer part", ".5", 0.5},
        {"no fraction digits", "5.", 5.0},
        {"lone point", ".", 0.0},
        {"lone sign", "-", 0.0},
        {"exponent", "1.5e+2x", 150.0},
        {"D exponent", "1d2", 100.0},
        {"exponent without digits", "1e", 1.0},
        {"exponent sign without digits", "7e-", 7.0},
        {"leading tab", "\t7", 7.0},
        {"second number ignored", "1.2.3", 1.2},
        {"hexadecimal", "&HFF", 255.0},
        {"hexadecimal lower case", "&hff", 255.0},
        {"hexadecimal stops at non-digit", "&H1Fz", 31.0},
        {"hexadecimal without digits", "&H", 0.0},
        {"too large", "1e999", 0.0},
        {"too large negative", "-1e999", 0.0},
        {"too small", "1e-999", 0.0},
        {"nan is no number", "nan", 0.0},
        {"inf is no number", "inf", 0.0},
        {"huge digit string", std::string(5000, '9'), 0.0},
        {"largest double", "1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"full-width digits are not digits", "９０", 0.0},
    };
    for (const TextAndNumber &row : rows) {
        CAPTURE(row.name);
        CHECK(numericValue(row.text) == row.expected);
    }
}

TEST_CASE("negativeZeroKeepsItsSign")
{
    const double value = numericValue("-0");
    CHECK(value == 0.0);
    CHECK(std::signbit(value));
}

TEST_CASE("leadingNumberTellsNoneFromTooLarge")
{
    const double infinity = std::numeric_limits<double>::infinity();
    const std::string nines(400, '9');
    const std::optional<double> none;
    const struct
    {
        std::string_view name;
        std::string text;
        std::optional<double> expected;
    } rows[] = {
        {"none", "abc", none},
        {"hexadecimal without digits", "&Hxyz", none},
        {"plain", "181", 181.0},
        {"too large", "1e999", infinity},
        {"too large negative", "-2.5e400", -infinity},
        {"too large by its digits", nines, infinity},
        {"too large despite a negative exponent", nines + "e-50", infinity},
        {"too small", "1e-999", 0.0},
        {"too small by its zeros", "0." + std::string(400, '0') + "1", 0.0},
        {"too small despite many digits", "12345e-999", 0.0},
        {"huge exponent", "1e" + std::string(50, '9'), infinity},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        CHECK(leadingNumber(row.text) == row.expected);
    }
}

TEST_CASE("wholeNumberRoundsHalvesToEven")
{
    const TextAndNumber rows[] = {
        {"126.5", "126.5", 126.0}, {"127.5", "127.5", 128.0}, {"2.5", "2.5", 2.0},
        {"-2.5", "-2.5", -2.0},    {"90.4", "90.4", 90.0},    {"89.6", "89.6", 90.0},
        {"letters", "abc", 0.0},   {"1e30", "1e30", 1e30},
    };
    for (const TextAndNumber &row : rows) {
        CAPTURE(row.name);
        CHECK(wholeNumber(row.text) == row.expected);
    }
}

TEST_CASE("boundedIntTakesAnyDouble")
{
    CHECK(boundedInt(1e30, 0, 255) == 255);
    CHECK(boundedInt(-1e30, 0, 255) == 0);
    CHECK(boundedInt(std::numeric_limits<double>::quiet_NaN(), 0, 255) == 0);
    CHECK(boundedInt(std::numeric_limits<double>::infinity(), -5, 5) == 5);
    CHECK(boundedInt(128, 0, 255) == 128);
}

TEST_CASE("textsOfNumbers")
{
    const struct
    {
        std::string_view name;
        bool single;
        double value;
        const char *expected;
    } rows[] = {
        // Single precision: the float's shortest text.
        {"single, design width", true, 9780.0, "9780"},
        {"single, negative", true, -300.0, "-300"},
        {"single, fraction", true, 1500.5, "1500.5"},
        {"single, twips at 120 dpi", true, 8.0 * 12.0, "96"},
        {"single, not exactly a float", true, 0.1, "0.1"},
        // Double precision: at most fifteen significant digits.
        {"double, calibration", false, 181.0 / 200.0, "0.905"},
        {"double, default answer", false, 0.9 * 200.0, "180"},
        {"double, whole", false, 1.0, "1"},
        {"double, zero", false, 0.0, "0"},
        {"double, negative", false, -10.0 / 200.0, "-0.05"},
        {"double, fifteen digits", false, 1.0 / 3.0, "0.333333333333333"},
        {"double, rounding noise dropped", false, 0.1 + 0.2, "0.3"},
        {"double, half", false, 190.5, "190.5"},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        CHECK((row.single ? singleText(row.value) : doubleText(row.value)) == row.expected);
    }
}

TEST_CASE("textOfANumberReadsBackAsThatNumber")
{
    const double samples[] = {0.905, -0.05, 1e-5, 3.5e12, 1e300, -1e-300, 123456.789, 2.5e-7};
    for (double value : samples) {
        CAPTURE(doubleText(value));
        const double back = numericValue(doubleText(value));
        CHECK(std::abs(back - value) <= 1e-14 * std::abs(value));
        const float single = float(value);
        if (std::isfinite(single))
            CHECK(float(numericValue(singleText(value))) == single);
    }
}
