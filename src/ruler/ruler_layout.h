#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// The bounds within which the ruler window is laid out, in logical pixels.
struct RulerBounds
{
    QSize minimumHorizontal; // length along x, breadth along y
    QSize maximumHorizontal;

    QSize minimum(bool vertical) const
    {
        return vertical ? minimumHorizontal.transposed() : minimumHorizontal;
    }
    QSize maximum(bool vertical) const
    {
        return vertical ? maximumHorizontal.transposed() : maximumHorizontal;
    }
};

// The design size (9780 x 1800 twips) is the smallest ruler. The largest is
// twice the desktop's longer side in length and that side in breadth: room
// for a ruler across several screens, while a stored 1e30 cannot make the
// window's image grow to gigabytes.
RulerBounds rulerBounds(QSize minimumHorizontal, QRect desktop);

QSize boundedSize(QSize size, const RulerBounds &bounds, bool vertical);

// A window lying entirely off every screen comes back onto the nearest one,
// as far inside it as it fits; a window that shows at least partly stays.
QPoint reachablePosition(QRect window, const QList<QRect> &screens);

// Where a window moved by keys or menu commands may go: anywhere that keeps
// at least `visible` of it on the desktop, so that it can always be brought
// back the way it went.
QPoint keptReachable(QRect window, QRect desktop, QSize visible);
