#pragma once

#include <QRgb>

#include <cstdint>

class RulerSettings;

// A stored colour value (red + 256 * green + 65536 * blue) as Qt's colour
// type holds it, and back: Qt's is the other way round.
QRgb rgbFromColorValue(std::int32_t colorValue);
std::int32_t colorValueFromRgb(QRgb rgb);

// What one repaint of the ruler takes from ruler.ini: the scale mode, the
// calibration value, the orientation and the colours, with their fallbacks.
struct DrawingSettings
{
    bool physical = false;
    double calibration = 1; // not calibrated counts as 1
    double direction = 0;   // whole number: 0 horizontal, 90 vertical
    QRgb background = 0;
    QRgb numbers = 0;
    QRgb hint = 0;
    QRgb line = 0;
    QRgb bigLine = 0;
    QRgb midLine = 0;
    QRgb smallLine = 0;
    bool customLines = false; // big, mid and small ticks take their own colours
};

// Reads the eleven keys from the file, every time: nothing is cached.
DrawingSettings readDrawingSettings(const RulerSettings &settings);
