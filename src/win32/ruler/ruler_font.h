#pragma once

#include "core/scale/text_measure.h"

#include <windows.h>

#include <optional>

// The ruler's font, the user interface's own, made for the resolution of the
// ruler's screen: it measures texts for the core's picture, in device pixels,
// and the painter draws the picture's texts with it.
class RulerFont : public TextMeasure
{
public:
    RulerFont();
    ~RulerFont() override;
    RulerFont(const RulerFont &) = delete;
    RulerFont &operator=(const RulerFont &) = delete;

    // Makes the font anew for a screen of this many dots per inch. There is
    // no font before the first call: the window's screen is not known until
    // the window is made, and one made for nothing would slow the start.
    void setDpi(unsigned dpi);
    HFONT handle() const { return m_font; }

    double ascent() const override;
    double lineHeight() const override;
    double advance(std::string_view text) const override;
    InkSpan digitsInk() const override;

private:
    HDC m_dc = nullptr; // a memory context that holds the font, for measuring
    HFONT m_font = nullptr;
    HGDIOBJ m_original = nullptr;
    TEXTMETRICW m_metrics{};
    // Measured when first asked for: few scales crowd their numbers.
    mutable std::optional<InkSpan> m_digitsInk;
};
