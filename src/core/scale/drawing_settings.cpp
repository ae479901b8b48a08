#include "drawing_settings.h"

#include "core/settings/color_text.h"
#include "core/settings/numeric_text.h"
#include "core/settings/ruler_settings.h"
#include "core/settings/setting_values.h"

DrawingSettings readDrawingSettings(const RulerSettings &settings)
{
    using NumericText::wholeNumber;

    // One reading of the file for all eleven keys, in the order they are used.
    const std::array<std::string, 11> stored = settings.read(std::array{
        SettingsKey::SizeMode, SettingsKey::Revision, SettingsKey::Direction, colorSettings[0].key,
        colorSettings[1].key, colorSettings[2].key, colorSettings[3].key, colorSettings[4].key,
        colorSettings[5].key, colorSettings[6].key, SettingsKey::IfCustomRulerLineColor});

    DrawingSettings drawing;
    drawing.physical = wholeNumber(stored[0]) != 0;
    const double calibration = calibrationOf(stored[1]);
    drawing.calibration = calibration == 0 ? 1.0 : calibration;
    drawing.direction = wholeNumber(stored[2]);

    std::array<std::int32_t, colorSettings.size()> colors{};
    for (size_t row = 0; row < colorSettings.size(); ++row) {
        const std::int32_t value = ParseColorText(stored[3 + row]);
        colors[row] = value == -1 ? colorSettings[row].fallback : value;
    }
    drawing.background = colors[0];
    drawing.numbers = colors[1];
    drawing.hint = colors[2];
    drawing.line = colors[3];
    drawing.bigLine = colors[4];
    drawing.midLine = colors[5];
    drawing.smallLine = colors[6];
    drawing.customLines = isTrueText(stored[10]);
    return drawing;
}
