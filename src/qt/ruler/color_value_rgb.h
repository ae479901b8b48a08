#pragma once

#include <QRgb>

#include <cstdint>

// A stored colour value (red + 256 * green + 65536 * blue) as Qt's colour
// type holds it, and back: Qt's is the other way round.
inline QRgb rgbFromColorValue(std::int32_t colorValue)
{
    return qRgb(colorValue & 0xFF, (colorValue >> 8) & 0xFF, (colorValue >> 16) & 0xFF);
}

inline std::int32_t colorValueFromRgb(QRgb rgb)
{
    return qRed(rgb) + 256 * qGreen(rgb) + 65536 * qBlue(rgb);
}
