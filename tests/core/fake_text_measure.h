#pragma once

#include "core/scale/text_measure.h"

#include <algorithm>

// A font whose every character, Chinese or digit, is 8 device pixels wide
// on a line 16 pixels high with its baseline 12 pixels down; the digits'
// ink reaches 10 pixels above the baseline and 1 below it.
class FakeTextMeasure : public TextMeasure
{
public:
    double ascent() const override { return 12; }
    double lineHeight() const override { return 16; }
    double advance(std::string_view text) const override
    {
        // A character is one UTF-8 lead byte and its continuation bytes.
        return 8.0 * double(std::count_if(text.begin(), text.end(), [](char byte) {
                   return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
               }));
    }
    InkSpan digitsInk() const override { return {-10, 1}; }
};
