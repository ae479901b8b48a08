#pragma once

#include "core/scale/drawing_settings.h"
#include "core/scale/picture.h"
#include "core/scale/scale_geometry.h"
#include "core/scale/text_measure.h"

#include <string>

// Lays a computed scale out as the picture a shell paints, over a window of
// the given size in device pixels, with its texts set as measure sets them:
// the ticks in three bands at both edges, the background between them, a
// number beside every numbered big tick on both edges, the band of ink that
// crowded numbers make, and the hint in the middle.
//
// The picture laid out before is overwritten: a window lays out a picture
// at every repaint, and its lists and texts keep the memory they had.
void layOutPicture(Picture &picture, const Scale &scale, const DrawingSettings &drawing,
                   const std::string &hint, Size device, const TextMeasure &measure);
