#include "ruler_layout.h"

#include <algorithm>
#include <limits>

RulerBounds rulerBounds(QSize minimumHorizontal, QRect desktop)
{
    const int side = std::max({desktop.width(), desktop.height(), 1});
    const QSize maximum(std::max(2 * side, minimumHorizontal.width()),
                        std::max(side, minimumHorizontal.height()));
    return {minimumHorizontal, maximum};
}

QSize boundedSize(QSize size, const RulerBounds &bounds, bool vertical)
{
    return size.expandedTo(bounds.minimum(vertical)).boundedTo(bounds.maximum(vertical));
}

namespace {

// Squared distance between two rectangles; 0 when they touch or overlap.
qint64 distanceSquared(QRect a, QRect b)
{
    const qint64 dx =
        std::max<qint64>({0, qint64(b.left()) - a.right(), qint64(a.left()) - b.right()});
    const qint64 dy =
        std::max<qint64>({0, qint64(b.top()) - a.bottom(), qint64(a.top()) - b.bottom()});
    return dx * dx + dy * dy;
}

int placedWithin(int position, int length, int areaStart, int areaLength)
{
    const int last = areaStart + areaLength - length;
    return last < areaStart ? areaStart : std::clamp(position, areaStart, last);
}

} // namespace

QPoint reachablePosition(QRect window, const QList<QRect> &screens)
{
    const QRect *nearest = nullptr;
    qint64 best = std::numeric_limits<qint64>::max();
    for (const QRect &screen : screens) {
        if (screen.intersects(window))
            return window.topLeft();
        const qint64 distance = distanceSquared(window, screen);
        if (distance < best) {
            best = distance;
            nearest = &screen;
        }
    }
    if (!nearest)
        return window.topLeft();
    return {placedWithin(window.x(), window.width(), nearest->x(), nearest->width()),
            placedWithin(window.y(), window.height(), nearest->y(), nearest->height())};
}

QPoint keptReachable(QPoint from, QRect wanted, QRect desktop, QSize visible)
{
    const auto kept = [](int from, int wanted, int low, int high) {
        if (wanted == from)
            return from;
        return std::clamp(wanted, std::min({low, high, from}), std::max(high, from));
    };
    return {kept(from.x(), wanted.x(), desktop.left() + visible.width() - wanted.width(),
                 desktop.right() + 1 - visible.width()),
            kept(from.y(), wanted.y(), desktop.top() + visible.height() - wanted.height(),
                 desktop.bottom() + 1 - visible.height())};
}
