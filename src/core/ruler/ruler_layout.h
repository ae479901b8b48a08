#pragma once

#include "core/geometry.h"

#include <span>

// The bounds within which the ruler window is laid out, in logical pixels.
struct RulerBounds
{
    Size minimumHorizontal; // length along x, breadth along y
    Size maximumHorizontal;

    Size minimum(bool vertical) const { return oriented(minimumHorizontal, vertical); }
    Size maximum(bool vertical) const { return oriented(maximumHorizontal, vertical); }

private:
    static Size oriented(Size horizontal, bool vertical)
    {
        return vertical ? Size{horizontal.height, horizontal.width} : horizontal;
    }
};

// The design size (9780 x 1800 twips) is the smallest ruler. The largest is
// twice the desktop's longer side in length and that side in breadth: room
// for a ruler across several screens, while a stored 1e30 cannot make the
// window's image grow to gigabytes.
RulerBounds rulerBounds(Size minimumHorizontal, Rect desktop);

Size boundedSize(Size size, const RulerBounds &bounds, bool vertical);

// A window lying entirely off every screen comes back onto the nearest one,
// as far inside it as it fits; a window that shows at least partly stays.
Point reachablePosition(Rect window, std::span<const Rect> screens);

// Where a window at `from`, moved by keys or menu commands towards `wanted`'s
// position, may go: a coordinate that the move changes stops where at least
// `visible` of the window stays on the desktop, so that it can always be
// brought back the way it went, but never behind where it already was. A
// coordinate that the move leaves alone stays exactly as it is, wherever the
// window manager or a drag put it.
Point keptReachable(Point from, Rect wanted, Rect desktop, Size visible);
