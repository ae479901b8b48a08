#include "twips.h"

#include <algorithm>
#include <cmath>

namespace Twips {

namespace {
// Far beyond any desktop, far inside int.
constexpr double pixelLimit = 1 << 24;
} // namespace

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
