#pragma once

#include "core/geometry.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// The core's window geometry and Qt's count the same logical pixels; only
// the types differ, and they are converted here alone.
inline Point toCore(QPoint point)
{
    return {point.x(), point.y()};
}

inline Size toCore(QSize size)
{
    return {size.width(), size.height()};
}

inline Rect toCore(QRect rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

inline QPoint toQt(Point point)
{
    return {point.x, point.y};
}

inline QSize toQt(Size size)
{
    return {size.width, size.height};
}
