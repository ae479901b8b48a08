#include "twips.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace Twips {

namespace {
// Far beyond any desktop, far inside int.
constexpr double pixelLimit = 1 << 24;
} // namespace

double perPixel(const QWidget *widget)
{
    const QScreen *screen = widget->screen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return perInch / (dpi > 0 ? dpi : 96.0);
}

int toPixels(double twips, double twipsPerPixel)
{
    const double pixels = twips / twipsPerPixel;
    if (std::isnan(pixels))
        return 0;
    return int(std::lround(std::clamp(pixels, -pixelLimit, pixelLimit)));
}

double fromPixels(int pixels, double twipsPerPixel)
{
    return pixels * twipsPerPixel;
}

double fromPixelsKeeping(int pixels, double storedTwips, double twipsPerPixel)
{
    return toPixels(storedTwips, twipsPerPixel) == pixels ? storedTwips
                                                          : fromPixels(pixels, twipsPerPixel);
}

} // namespace Twips
