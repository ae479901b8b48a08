#pragma once

#include <string_view>

// How the ruler's font sets text, in device pixels, as the window system
// that paints the picture measures it: only it knows the font's glyphs.
class TextMeasure
{
public:
    virtual ~TextMeasure() = default;

    // From the top of a line to its baseline.
    virtual double ascent() const = 0;
    // From the top of one line to the top of the next.
    virtual double lineHeight() const = 0;
    // How far the pen moves past the text (UTF-8).
    virtual double advance(std::string_view text) const = 0;

    // How far the ink of the ten digits reaches above (negative) and below
    // the baseline: where numbers crowd into one band of ink, the band's
    // breadth.
    struct InkSpan
    {
        double top = 0;
        double bottom = 0;
    };
    virtual InkSpan digitsInk() const = 0;
};
