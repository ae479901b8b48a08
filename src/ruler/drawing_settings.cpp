#include "drawing_settings.h"

#include "settings/color_text.h"
#include "settings/numeric_text.h"
#include "settings/ruler_settings.h"
#include "settings/setting_values.h"

DrawingSettings readDrawingSettings(const RulerSettings &settings)
{
    using NumericText::numericValue;
    using NumericText::wholeNumber;

    DrawingSettings drawing;
    drawing.physical = wholeNumber(settings.read(SettingsKey::SizeMode)) != 0;
    const double calibration = numericValue(settings.read(SettingsKey::Revision));
    drawing.calibration = calibration == 0 ? 1.0 : calibration;
    drawing.direction = wholeNumber(settings.read(SettingsKey::Direction));

    std::array<QRgb, colorSettings.size()> colors{};
    for (size_t row = 0; row < colorSettings.size(); ++row) {
        const qint32 value = ParseColorText(settings.read(colorSettings[row].key));
        colors[row] = rgbFromColorValue(value == -1 ? colorSettings[row].fallback : value);
    }
    drawing.background = colors[0];
    drawing.numbers = colors[1];
    drawing.hint = colors[2];
    drawing.line = colors[3];
    drawing.bigLine = colors[4];
    drawing.midLine = colors[5];
    drawing.smallLine = colors[6];
    drawing.customLines = isTrueText(settings.read(SettingsKey::IfCustomRulerLineColor));
    return drawing;
}
