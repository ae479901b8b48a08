#include "drawing_settings.h"

#include "core/settings/color_text.h"
#include "core/settings/numeric_text.h"
#include "core/settings/ruler_settings.h"
#include "core/settings/setting_values.h"

DrawingSettings readDrawingSettings(const RulerSettings::Snapshot &stored)
{
    using NumericText::wholeNumber;

    DrawingSettings drawing;
    drawing.physical = wholeNumber(stored.value(SettingsKey::SizeMode)) != 0;
    const double calibration = calibrationOf(stored.value(SettingsKey::Revision));
    drawing.calibration = calibration == 0 ? 1.0 : calibration;
    drawing.direction = wholeNumber(stored.value(SettingsKey::Direction));

    std::array<std::int32_t, colorSettings.size()> colors{};
    for (size_t row = 0; row < colorSettings.size(); ++row) {
        const std::int32_t value = ParseColorText(stored.value(colorSettings[row].key));
        colors[row] = value == -1 ? colorSettings[row].fallback : value;
    }
    drawing.background = colors[0];
    drawing.numbers = colors[1];
    drawing.hint = colors[2];
    drawing.line = colors[3];
    drawing.bigLine = colors[4];
    drawing.midLine = colors[5];
    drawing.smallLine = colors[6];
    drawing.customLines = isTrueText(stored.value(SettingsKey::IfCustomRulerLineColor));
    return drawing;
}
