#pragma once

#include "image_probe.h"

// The colours of a ruler painted without settings, others that tests store,
// and the length of a tick as its pixels show it.
namespace RulerPixels {

constexpr QRgb yellow = qRgb(255, 255, 0); // the background
constexpr QRgb red = qRgb(255, 0, 0);      // ticks and numbers
constexpr QRgb black = qRgb(0, 0, 0);      // the unit hint
constexpr QRgb green = qRgb(0, 255, 0);
constexpr QRgb blue = qRgb(0, 0, 255);
constexpr QRgb magenta = qRgb(255, 0, 255);

// The tick in column x, from the top edge down or from the bottom edge up.
inline int topTick(const QImage &image, int x, QRgb color = red)
{
    return ImageProbe::runLength(image, QPoint(x, 0), QPoint(0, 1), ImageProbe::exactly(color));
}

inline int bottomTick(const QImage &image, int x, QRgb color = red)
{
    return ImageProbe::runLength(image, QPoint(x, image.height() - 1), QPoint(0, -1),
                                 ImageProbe::exactly(color));
}

// The tick in row y of a vertical ruler, from the left edge.
inline int leftTick(const QImage &image, int y, QRgb color = red)
{
    return ImageProbe::runLength(image, QPoint(0, y), QPoint(1, 0), ImageProbe::exactly(color));
}

} // namespace RulerPixels
