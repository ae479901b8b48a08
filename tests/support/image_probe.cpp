#include "image_probe.h"

#include <algorithm>
#include <cstdlib>

namespace ImageProbe {

namespace {
int distance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}
} // namespace

PixelTest nearerTo(QRgb ink, QRgb background, QList<QRgb> others)
{
    others.append(background);
    return [=](QRgb pixel) {
        const int toInk = distance(pixel, ink);
        return std::all_of(others.begin(), others.end(),
                           [&](QRgb other) { return toInk < distance(pixel, other); });
    };
}

PixelTest exactly(QRgb color)
{
    return [=](QRgb pixel) {
        return (pixel & 0xFFFFFF) == (color & 0xFFFFFF);
    };
}

QRect inkBox(const QImage &image, QRect region, const PixelTest &test)
{
    QRect box;
    const QRect area = region.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

int runLength(const QImage &image, QPoint start, QPoint step, const PixelTest &test)
{
    int length = 0;
    for (QPoint at = start; image.valid(at) && test(image.pixel(at)); at += step)
        ++length;
    return length;
}

QList<int> tickPositions(const QImage &image, QPoint start, QPoint along, QPoint across,
                         int minLength, const PixelTest &test)
{
    QList<int> positions;
    int offset = 0;
    for (QPoint at = start; image.valid(at); at += along, ++offset) {
        if (runLength(image, at, across, test) >= minLength)
            positions.append(offset);
    }
    return positions;
}

int textLineCount(const QImage &image, QRect region, const PixelTest &test)
{
    int lines = 0;
    bool inLine = false;
    const QRect area = region.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        bool ink = false;
        for (int x = area.left(); x <= area.right() && !ink; ++x)
            ink = test(image.pixel(x, y));
        if (ink && !inLine)
            ++lines;
        inLine = ink;
    }
    return lines;
}

} // namespace ImageProbe
