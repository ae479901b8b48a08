#pragma once

#include "core/geometry.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What one repaint of the ruler shows, as primitives in device pixels that
// any window system paints alike: a shell paints the bands, then the fills,
// then the texts, each list in order. Colours are stored colour values,
// red + 256 * green + 65536 * blue.
using ColorValue = std::int32_t;

// A one-pixel line across a band, at a device pixel along the scale counted
// from the window's left (horizontal ruler) or top (vertical ruler) edge.
struct TickLine
{
    int position = 0;
    ColorValue color = 0;
};

// The ticks that reach at least so far in from an edge, over the band of
// rows (horizontal ruler) or columns (vertical ruler) that they cross,
// mirrored at both edges: each area is filled with the background, then
// every line crosses it from side to side. All lines of a band look the
// same from one side of it to the other, which lets a shell make one line
// of pixels and copy it across.
struct TickBand
{
    std::array<Rect, 2> areas; // at the first edge, at the second
    bool horizontal = true;    // lines stand upright, one column each
    ColorValue background = 0;
    std::vector<TickLine> lines; // in painting order: a later line covers an earlier one
};

struct PictureFill
{
    Rect area;
    ColorValue color = 0;
};

// A text whose baseline starts at a whole device pixel.
struct PictureText
{
    std::string text; // UTF-8
    Point baselineLeft;
    ColorValue color = 0;
};

struct Picture
{
    Size device;
    std::vector<TickBand> bands;
    std::vector<PictureFill> fills;
    std::vector<PictureText> texts;
};
