#pragma once

#include "core/settings/ruler_settings.h"

#include <cstdint>

// What one repaint of the ruler takes from ruler.ini: the scale mode, the
// calibration value, the orientation and the colours, with their fallbacks.
// Colours are stored values, red + 256 * green + 65536 * blue; a shell turns
// them into its own colour type where it paints.
struct DrawingSettings
{
    bool physical = false;
    double calibration = 1; // not calibrated counts as 1
    double direction = 0;   // whole number: 0 horizontal, 90 vertical
    std::int32_t background = 0;
    std::int32_t numbers = 0;
    std::int32_t hint = 0;
    std::int32_t line = 0;
    std::int32_t bigLine = 0;
    std::int32_t midLine = 0;
    std::int32_t smallLine = 0;
    bool customLines = false; // big, mid and small ticks take their own colours
};

// The eleven keys as a reading of the file found them.
DrawingSettings readDrawingSettings(const RulerSettings::Snapshot &stored);
