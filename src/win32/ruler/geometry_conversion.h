#pragma once

#include "core/geometry.h"

#include <windows.h>

// A Windows rectangle holds its right and bottom edges, the core's its size.
inline Rect toCore(const RECT &rect)
{
    return {int(rect.left), int(rect.top), int(rect.right - rect.left),
            int(rect.bottom - rect.top)};
}

inline RECT toWindows(const Rect &rect)
{
    return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}
