#include "scale_geometry.h"

#include "core/settings/numeric_text.h"
#include "core/settings/setting_values.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// How the counter walks the scale in one unit: the counter advances by step,
// stepsPerUnit counter values make one unit; a big tick every 10 steps and a
// mid tick every 5 in every unit.
struct UnitSteps
{
    double step;
    double perUnit;
};

UnitSteps unitSteps(int unitCode)
{
    if (unitCode == UnitCode::Pixels)
        return {10, 1};
    if (unitCode == UnitCode::Inches)
        return {1, 10};
    return {1, 1};
}

constexpr double millimetresPerInch = 25.4;
constexpr std::array<double, 3> tickMillimetres{2, 4, 6}; // small, mid, big

// Steps are counted in 64-bit integers: the counter never passes the ruler's
// last step, which computeScale keeps below 2^62, and fmod on large doubles
// costs a long division every time.
using Step = std::int64_t;

// The class of a step by its last digit.
TickClass classOfDigit(Step digit)
{
    if (digit == 0)
        return TickClass::Big;
    return digit == 5 ? TickClass::Mid : TickClass::Small;
}

// Positions of the steps along the scale in device pixels. The product is
// formed before the division, so that whole positions come out whole (an inch
// at 96 dpi is 9.6 * 5 = 48 exactly, not 47.999...).
class StepPositions
{
public:
    StepPositions(const ScaleInput &input, double calibration)
    {
        const UnitSteps steps = unitSteps(input.unitCode);
        const bool physicalUnit = input.unitCode != UnitCode::Pixels;
        m_numerator = steps.step * input.devicePixelRatio * (physicalUnit ? input.logicalDpi : 1.0);
        m_denominator = steps.perUnit * calibration *
                        (input.unitCode == UnitCode::Pixels || input.unitCode == UnitCode::Inches
                             ? 1.0
                             : millimetresPerInch);
        m_stepsPerPixel = m_denominator / m_numerator;
    }

    double spacing() const { return m_numerator / m_denominator; }
    double position(double step) const { return step * m_numerator / m_denominator; }
    double pixelOf(double step) const
    {
        const double x = position(step);
        return std::floor(x + 1e-9 * std::max(1.0, std::abs(x)));
    }
    // The first step whose pixel is at or past pixel.
    double firstStepAt(double pixel) const
    {
        const double slack = 1e-9 * std::max(1.0, std::abs(pixel));
        return std::max(0.0, std::ceil((pixel - slack) * m_stepsPerPixel));
    }

private:
    double m_numerator = 1;
    double m_denominator = 1;
    double m_stepsPerPixel = 1;
};

std::vector<Tick> &shown(Scale &scale, TickClass reaching)
{
    return scale.shownTicks[size_t(reaching)];
}

// Steps a pixel or more apart: each pixel holds one step at most, and its
// tick shows over every row it reaches.
void addSparseTicks(Scale &scale, const StepPositions &steps, Step lastStep, double perStep)
{
    const size_t count = size_t(lastStep) + 1;
    shown(scale, TickClass::Small).reserve(count);
    shown(scale, TickClass::Mid).reserve(count / 5 + 1);
    shown(scale, TickClass::Big).reserve(count / 10 + 1);
    scale.numbers.reserve(count / 10);
    for (Step i = 0; i <= lastStep; ++i) {
        const TickClass tickClass = classOfDigit(i % 10);
        const double pixel = steps.pixelOf(double(i));
        const Tick tick{int(pixel), tickClass};
        shown(scale, TickClass::Small).push_back(tick);
        if (tickClass != TickClass::Small)
            shown(scale, TickClass::Mid).push_back(tick);
        if (tickClass == TickClass::Big) {
            shown(scale, TickClass::Big).push_back(tick);
            if (i != 0)
                scale.numbers.push_back({pixel + 0.5, double(i) * perStep});
        }
    }
}

// Steps closer than a pixel: of the steps first to last that fall on a
// pixel, painted in order, the rows of a small tick show the last step, those
// of a mid tick the last mid or big one (5 or 0 in the last digit), those of a
// big tick the last big one.
void addDenseTicks(Scale &scale, const StepPositions &steps, Step lastStep, int lengthPixels)
{
    const int lastPixel = int(std::min<double>(lengthPixels, steps.pixelOf(double(lastStep))));
    for (std::vector<Tick> &ticks : scale.shownTicks)
        ticks.reserve(size_t(lastPixel + 1));
    Step first = 0;
    for (int pixel = 0; pixel <= lastPixel; ++pixel) {
        const double nextStep = steps.firstStepAt(pixel + 1);
        const Step next = nextStep > double(lastStep) ? lastStep + 1 : Step(nextStep);
        const Step last = std::max(first, std::min(lastStep, next - 1));
        const Step digit = last % 10;
        const Step big = last - digit;
        const bool midLast = digit >= 5;
        const Step midOrBig = midLast ? last - (digit - 5) : big;
        shown(scale, TickClass::Small).push_back({pixel, classOfDigit(digit)});
        if (midOrBig >= first)
            shown(scale, TickClass::Mid).push_back({pixel, midLast ? TickClass::Mid : TickClass::Big});
        if (big >= first)
            shown(scale, TickClass::Big).push_back({pixel, TickClass::Big});
        first = std::max(next, last + 1);
    }
}

void addNumbers(Scale &scale, const StepPositions &steps, Step lastStep, double perStep)
{
    const double bigSpacing = 10 * steps.spacing();
    const Step lastBig = lastStep - lastStep % 10;
    if (lastBig < 10)
        return;
    if (bigSpacing >= 1) {
        for (Step i = 10; i <= lastBig; i += 10)
            scale.numbers.push_back({steps.pixelOf(double(i)) + 0.5, double(i) * perStep});
        return;
    }
    const TickNumber first{steps.pixelOf(10) + 0.5, 10 * perStep};
    const TickNumber last{steps.pixelOf(double(lastBig)) + 0.5, double(lastBig) * perStep};
    scale.numbers.push_back(first);
    if (last.centre > first.centre) {
        scale.numbers.push_back(last);
        scale.numberBand = NumberBand{first.centre, last.centre};
    }
}

} // namespace

ScaleOrientation orientationOf(double direction)
{
    if (direction == 0)
        return ScaleOrientation::Horizontal;
    if (direction == 90)
        return ScaleOrientation::Vertical;
    return ScaleOrientation::None;
}

std::size_t maxTicks(int lengthPixels)
{
    return 3 * (std::size_t(std::max(lengthPixels, 0)) + 1);
}

std::size_t maxNumbers(int lengthPixels)
{
    return std::size_t(std::max(lengthPixels, 0)) + 2;
}

Scale computeScale(const ScaleInput &input)
{
    Scale scale;
    scale.orientation = orientationOf(input.direction);
    const double pixelsPerMillimetre =
        input.logicalDpi * input.devicePixelRatio / millimetresPerInch;
    for (size_t c = 0; c < tickMillimetres.size(); ++c) {
        const double length = tickMillimetres[c] * pixelsPerMillimetre;
        scale.tickPixels[c] = int(std::ceil(length - 1e-9));
    }
    if (scale.orientation == ScaleOrientation::None || input.lengthPixels < 0)
        return scale;

    const double calibration =
        input.physical && input.calibration != 0 && std::isfinite(input.calibration)
            ? input.calibration
            : 1.0;
    const StepPositions steps(input, calibration);
    const double spacing = steps.spacing();
    // The counter runs while it stays on the ruler, the far edge included.
    const double stepsOnRuler = input.lengthPixels / spacing;
    if (!(stepsOnRuler >= 0))
        return scale; // a negative calibration value puts every step before the ruler
    const auto lastStep =
        Step(std::floor(std::min(stepsOnRuler + 1e-9 * std::max(1.0, stepsOnRuler), 0x1p62)));

    const UnitSteps unit = unitSteps(input.unitCode);
    const double perStep = unit.step / unit.perUnit;
    if (spacing >= 1) {
        addSparseTicks(scale, steps, lastStep, perStep);
    } else {
        addDenseTicks(scale, steps, lastStep, input.lengthPixels);
        addNumbers(scale, steps, lastStep, perStep);
    }
    return scale;
}

std::string numberText(double value)
{
    if (std::abs(value) < 1e15)
        return std::to_string(std::int64_t(value));
    return NumericText::doubleText(value);
}

std::string unitHint(int unitCode, bool physical, double calibration)
{
    std::string hint = unitCode == UnitCode::Pixels   ? "像素"
                       : unitCode == UnitCode::Inches ? "英寸"
                                                      : "毫米";
    if (physical)
        hint += "(r=" + NumericText::fixedText(calibration, 2) + ')';
    return hint;
}
