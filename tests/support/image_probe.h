#pragma once

#include <QImage>
#include <QList>
#include <QRect>

#include <functional>

// Looking at a painted ruler the way a person would: which pixels carry a
// colour, and where the ink of a text lies.
namespace ImageProbe {

using PixelTest = std::function<bool(QRgb)>;

// Pixels nearer to ink than to the background and every other colour
// around, for anti-aliased text whose pixels are blends.
PixelTest nearerTo(QRgb ink, QRgb background, QList<QRgb> others = {});
PixelTest exactly(QRgb color);

// The bounding box of the pixels within region that pass the test; null when none.
QRect inkBox(const QImage &image, QRect region, const PixelTest &test);

// How many pixels in a row pass the test, from start in steps of step (a
// tick's length: from the top edge down, from the bottom edge up, ...).
int runLength(const QImage &image, QPoint start, QPoint step, const PixelTest &test);

// The offsets from start, in steps of along, at which a run of at least
// minLength pixels in steps of across passes the test: where the ticks of a
// class stand along an edge.
QList<int> tickPositions(const QImage &image, QPoint start, QPoint along, QPoint across,
                         int minLength, const PixelTest &test);

// How many lines of text lie in region: bands of rows holding ink, apart
// from each other by rows without any.
int textLineCount(const QImage &image, QRect region, const PixelTest &test);

} // namespace ImageProbe
