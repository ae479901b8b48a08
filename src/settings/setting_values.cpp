#include "setting_values.h"

#include "numeric_text.h"

#include <cmath>

int unitCodeOf(QStringView scaleModeText)
{
    if (scaleModeText == u"Pixels")
        return UnitCode::Pixels;
    if (scaleModeText == u"Inches")
        return UnitCode::Inches;
    return UnitCode::Millimeters;
}

int unitIndexOf(QStringView scaleModeText)
{
    if (scaleModeText == u"Pixels")
        return 1;
    if (scaleModeText == u"Inches")
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

QString scaleModeTextForIndex(int index)
{
    switch (index) {
    case 1:
        return QStringLiteral("Pixels");
    case 2:
        return QStringLiteral("Inches");
    default:
        return QStringLiteral("Millimeters");
    }
}

bool isTrueText(QStringView text)
{
    return text.compare(u"true", Qt::CaseInsensitive) == 0;
}

QString booleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool isVerticalText(QStringView directionText)
{
    return directionText == u"90";
}

int opacityOf(QStringView transparentText)
{
    if (transparentText.isEmpty())
        return 255;
    return NumericText::boundedInt(NumericText::wholeNumber(transparentText), 0, 255);
}

double calibrationOf(QStringView revisionText)
{
    const double calibration = NumericText::numericValue(revisionText);
    return calibration > 0 && std::isfinite(calibration) ? calibration : 0;
}
