#pragma once

#include "core/scale/drawing_settings.h"
#include "core/scale/picture.h"
#include "core/scale/scale_geometry.h"
#include "core/scale/text_measure.h"

#include <string>
#include <vector>

// Lays a computed scale out as the picture a shell paints, over a window of
// the given size in device pixels, with its texts set as measure sets them:
// the ticks in three bands at both edges, the background between them, a
// number beside every numbered big tick on both edges, the band of ink that
// crowded numbers make, and the hint in the middle.
//
// A window lays a picture out at every repaint. The layout keeps the last
// one and overwrites it, so that its lists and texts keep their memory and a
// number's text is made anew only where the numbers changed.
class PictureLayout
{
public:
    const Picture &layOut(const Scale &scale, const DrawingSettings &drawing,
                          const std::string &hint, Size device, const TextMeasure &measure);
    // The picture laid out last.
    const Picture &picture() const { return m_picture; }

private:
    void addNumbers(const Scale &scale, const DrawingSettings &drawing,
                    const TextMeasure &measure);

    Picture m_picture;
    std::vector<double> m_numberValues; // the numbers that m_picture's texts show, in order
};
