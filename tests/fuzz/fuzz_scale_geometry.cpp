// The scale's geometry for any unit, scale mode, calibration value,
// direction and length.
//
// Input: text with up to seven numbers separated by blanks: unit code,
// physical (0 or not), calibration value, direction, length in device
// pixels, logical dots per inch, device pixel ratio. Missing or unreadable
// ones keep the design ruler's (6 0 1 0 652 96 1); "inf" and "nan" are
// numbers here. The length is brought into -64..20000: the work grows with
// it, and the window's own bounds keep it far below that. Dots per inch and
// the ratio are brought into what a screen reports: 1..4800 and 0.1..16.
//
// Properties:
// - the ticks and numbers stay within maxTicks and maxNumbers;
// - every tick stands within the ruler, 0 to the length (the far edge
//   included), in order along the scale, one per pixel at most for each
//   class's rows and of at least that class, with a big tick at 0;
// - every number is a whole count of its unit's big steps (100 pixels, one
//   inch, ten millimetres), stands on a big tick and reads as that count;
//   numbers grow along the scale, and a band spans the first to the last;
// - on a ruler of some length, a direction other than 0 and 90 or a
//   negative calibration on the physical scale gives no ticks, and
//   anything else does;
// - tick lengths grow from small to big and are at least a pixel.
#include "core/scale/scale_geometry.h"
#include "core/settings/setting_values.h"
#include "fuzz_checks.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

ScaleInput inputOf(std::string_view text)
{
    std::array<double, 7> values{6, 0, 1, 0, 652, 96, 1};
    size_t field = 0;
    while (field < values.size() && !text.empty()) {
        const size_t begin = text.find_first_not_of(" \t\r\n");
        if (begin == std::string_view::npos)
            break;
        text.remove_prefix(begin);
        const size_t end = std::min(text.find_first_of(" \t\r\n"), text.size());
        double value = 0;
        const auto result = std::from_chars(text.data(), text.data() + end, value);
        if (result.ec == std::errc())
            values[field] = value;
        text.remove_prefix(end);
        ++field;
    }
    const auto bounded = [](double value, double low, double high, double otherwise) {
        return std::isnan(value) ? otherwise : std::clamp(value, low, high);
    };
    ScaleInput input;
    input.unitCode = int(bounded(values[0], -1e9, 1e9, 6));
    input.physical = values[1] != 0;
    input.calibration = values[2];
    input.direction = values[3];
    input.lengthPixels = int(bounded(values[4], -64, 20000, 652));
    input.logicalDpi = bounded(values[5], 1, 4800, 96);
    input.devicePixelRatio = bounded(values[6], 0.1, 16, 1);
    return input;
}

std::string shown(const ScaleInput &input)
{
    char text[256];
    std::snprintf(text, sizeof text,
                  "unit %d, physical %d, calibration %.17g, direction %.17g, length %d, "
                  "dpi %.17g, ratio %.17g",
                  input.unitCode, int(input.physical), input.calibration, input.direction,
                  input.lengthPixels, input.logicalDpi, input.devicePixelRatio);
    return text;
}

// A big step of the unit: 100 pixels, one inch, ten millimetres.
double bigStep(int unitCode)
{
    return unitCode == UnitCode::Pixels ? 100 : unitCode == UnitCode::Inches ? 1 : 10;
}

bool hasBigTickAt(const Scale &scale, int position)
{
    const std::vector<Tick> &big = scale.shownTicks[size_t(TickClass::Big)];
    const auto at = std::lower_bound(big.begin(), big.end(), position,
                                     [](const Tick &tick, int p) { return tick.position < p; });
    return at != big.end() && at->position == position;
}

void checkTicks(const ScaleInput &input, const Scale &scale)
{
    const auto require = [&](bool holds, const char *property) {
        Fuzz::require(holds, property, [&] { return shown(input); });
    };
    const int length = input.lengthPixels;
    size_t ticks = 0;
    for (const std::vector<Tick> &shown : scale.shownTicks)
        ticks += shown.size();
    require(ticks <= maxTicks(length), "ticks stay within maxTicks");
    require(scale.numbers.size() <= maxNumbers(length), "numbers stay within maxNumbers");
    require(scale.orientation == orientationOf(input.direction),
            "the orientation is the direction's");
    require(scale.tickPixels[0] >= 1 && scale.tickPixels[0] <= scale.tickPixels[1] &&
                scale.tickPixels[1] <= scale.tickPixels[2],
            "tick lengths grow from small to big and are at least a pixel");

    const double calibration =
        input.physical && input.calibration != 0 && std::isfinite(input.calibration)
            ? input.calibration
            : 1.0;
    // A ruler of no length shows nothing, whether a tick is listed for its
    // pixel 0 or not.
    const bool drawn = scale.orientation != ScaleOrientation::None && calibration > 0;
    const bool none = scale.shownTicks[size_t(TickClass::Small)].empty();
    if (length > 0)
        require(drawn != none, "a scale has ticks exactly when it can be drawn");
    if (none) {
        require(ticks == 0, "a scale without ticks on its every row has none on the others");
        require(scale.numbers.empty(), "a scale without ticks has no numbers");
        return;
    }
    require(hasBigTickAt(scale, 0), "counter 0 is a big tick at 0");
    for (size_t rows = 0; rows < scale.shownTicks.size(); ++rows) {
        int previous = -1;
        for (const Tick &tick : scale.shownTicks[rows]) {
            require(tick.position > previous && tick.position <= length,
                    "ticks stand within the ruler, in order along it, one per pixel at most");
            require(size_t(tick.tickClass) >= rows, "the ticks over a class's rows reach them");
            previous = tick.position;
        }
    }
}

void checkNumbers(const ScaleInput &input, const Scale &scale)
{
    const auto require = [&](bool holds, const char *property) {
        Fuzz::require(holds, property, [&] { return shown(input); });
    };
    const double step = bigStep(input.unitCode);
    double previousCentre = 0;
    double previousValue = 0;
    for (const TickNumber &number : scale.numbers) {
        require(number.centre > previousCentre && number.value > previousValue,
                "numbers grow along the scale");
        previousCentre = number.centre;
        previousValue = number.value;
        require(number.centre <= input.lengthPixels + 0.5, "numbers stand within the ruler");
        require(hasBigTickAt(scale, int(std::floor(number.centre))),
                "a number stands on a big tick");
        const double count = std::round(number.value / step);
        require(count >= 1 &&
                    std::abs(number.value - count * step) <= 1e-9 * std::max(1.0, number.value),
                "a number is a whole count of big steps");
        if (number.value < 1e15)
            require(numberText(number.value) == std::to_string(std::int64_t(count * step)),
                    "a number reads as its count of big steps");
    }
    if (scale.numberBand) {
        require(scale.numbers.size() == 2, "a band lies between a first and a last number");
        require(scale.numberBand->fromCentre == scale.numbers.front().centre &&
                    scale.numberBand->toCentre == scale.numbers.back().centre,
                "a band spans the first number to the last");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ScaleInput input = inputOf(std::string_view(reinterpret_cast<const char *>(data), size));
    const Scale scale = computeScale(input);
    checkTicks(input, scale);
    checkNumbers(input, scale);
    return 0;
}
