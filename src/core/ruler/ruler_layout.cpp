#include "ruler_layout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

RulerBounds rulerBounds(Size minimumHorizontal, Rect desktop)
{
    const int side = std::max({desktop.width, desktop.height, 1});
    const Size maximum{std::max(2 * side, minimumHorizontal.width),
                       std::max(side, minimumHorizontal.height)};
    return {minimumHorizontal, maximum};
}

Size boundedSize(Size size, const RulerBounds &bounds, bool vertical)
{
    const Size minimum = bounds.minimum(vertical);
    const Size maximum = bounds.maximum(vertical);
    return {std::min(std::max(size.width, minimum.width), maximum.width),
            std::min(std::max(size.height, minimum.height), maximum.height)};
}

namespace {

// The last pixel a rectangle holds along each axis.
int rightOf(Rect r)
{
    return r.x + r.width - 1;
}

int bottomOf(Rect r)
{
    return r.y + r.height - 1;
}

bool intersects(Rect a, Rect b)
{
    return a.width > 0 && a.height > 0 && b.width > 0 && b.height > 0 && a.x <= rightOf(b) &&
           b.x <= rightOf(a) && a.y <= bottomOf(b) && b.y <= bottomOf(a);
}

// Squared distance between two rectangles; 0 when they touch or overlap.
std::int64_t distanceSquared(Rect a, Rect b)
{
    const std::int64_t dx =
        std::max<std::int64_t>({0, std::int64_t(b.x) - rightOf(a), std::int64_t(a.x) - rightOf(b)});
    const std::int64_t dy = std::max<std::int64_t>(
        {0, std::int64_t(b.y) - bottomOf(a), std::int64_t(a.y) - bottomOf(b)});
    return dx * dx + dy * dy;
}

int placedWithin(int position, int length, int areaStart, int areaLength)
{
    const int last = areaStart + areaLength - length;
    return last < areaStart ? areaStart : std::clamp(position, areaStart, last);
}

} // namespace

Point reachablePosition(Rect window, std::span<const Rect> screens)
{
    const Rect *nearest = nullptr;
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (const Rect &screen : screens) {
        if (intersects(screen, window))
            return {window.x, window.y};
        const std::int64_t distance = distanceSquared(window, screen);
        if (distance < best) {
            best = distance;
            nearest = &screen;
        }
    }
    if (!nearest)
        return {window.x, window.y};
    return {placedWithin(window.x, window.width, nearest->x, nearest->width),
            placedWithin(window.y, window.height, nearest->y, nearest->height)};
}

Point keptReachable(Point from, Rect wanted, Rect desktop, Size visible)
{
    const auto kept = [](int from, int wanted, int low, int high) {
        if (wanted == from)
            return from;
        return std::clamp(wanted, std::min({low, high, from}), std::max(high, from));
    };
    return {kept(from.x, wanted.x, desktop.x + visible.width - wanted.width,
                 desktop.x + desktop.width - visible.width),
            kept(from.y, wanted.y, desktop.y + visible.height - wanted.height,
                 desktop.y + desktop.height - visible.height)};
}
