#include "setting_values.h"

#include "numeric_text.h"

#include <algorithm>
#include <cmath>

int unitCodeOf(std::string_view scaleModeText)
{
    if (scaleModeText == "Pixels")
        return UnitCode::Pixels;
    if (scaleModeText == "Inches")
        return UnitCode::Inches;
    return UnitCode::Millimeters;
}

int unitIndexOf(std::string_view scaleModeText)
{
    if (scaleModeText == "Pixels")
        return 1;
    if (scaleModeText == "Inches")
        return 2;
    return 3;
}

int unitCodeForIndex(int index)
{
    switch (index) {
    case 1:
        return UnitCode::Pixels;
    case 2:
        return UnitCode::Inches;
    default:
        return UnitCode::Millimeters;
    }
}

std::string scaleModeTextForIndex(int index)
{
    switch (index) {
    case 1:
        return "Pixels";
    case 2:
        return "Inches";
    default:
        return "Millimeters";
    }
}

bool isTrueText(std::string_view text)
{
    constexpr std::string_view trueText = "true";
    return text.size() == trueText.size() &&
           std::equal(text.begin(), text.end(), trueText.begin(), [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b;
           });
}

std::string booleanText(bool value)
{
    return value ? "True" : "False";
}

bool isVerticalText(std::string_view directionText)
{
    return directionText == "90";
}

int opacityOf(std::string_view transparentText)
{
    if (transparentText.empty())
        return 255;
    return NumericText::boundedInt(NumericText::wholeNumber(transparentText), 0, 255);
}

double calibrationOf(std::string_view revisionText)
{
    const double calibration = NumericText::numericValue(revisionText);
    return calibration > 0 && std::isfinite(calibration) ? calibration : 0;
}
