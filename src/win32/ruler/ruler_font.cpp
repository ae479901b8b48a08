#include "ruler_font.h"

#include "app/wide_text.h"
#include "app/window_dpi.h"

#include <algorithm>

RulerFont::RulerFont()
    : m_dc(CreateCompatibleDC(nullptr))
{}

RulerFont::~RulerFont()
{
    if (m_font) {
        SelectObject(m_dc, m_original);
        DeleteObject(m_font);
    }
    DeleteDC(m_dc);
}

void RulerFont::setDpi(unsigned dpi)
{
    HFONT previous = m_font;
    m_font = WindowDpi::createMessageFont(dpi);
    const HGDIOBJ replaced = SelectObject(m_dc, m_font);
    if (!previous)
        m_original = replaced;
    DeleteObject(previous);
    GetTextMetricsW(m_dc, &m_metrics);
    m_digitsInk.reset();
}

double RulerFont::ascent() const
{
    return m_metrics.tmAscent;
}

double RulerFont::lineHeight() const
{
    // Ascent and descent, without the leading, as Qt counts a line's height:
    // both shells lay the ruler out alike.
    return m_metrics.tmHeight;
}

double RulerFont::advance(std::string_view text) const
{
    const std::wstring wide = wideFromUtf8(text);
    SIZE extent{};
    GetTextExtentPoint32W(m_dc, wide.data(), int(wide.size()), &extent);
    return extent.cx;
}

TextMeasure::InkSpan RulerFont::digitsInk() const
{
    if (m_digitsInk)
        return *m_digitsInk;
    // The glyphs' black boxes: where each digit's ink starts above the
    // baseline (Windows counts upwards) and how tall it is.
    constexpr MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    InkSpan ink{0, 0};
    bool measured = false;
    for (wchar_t digit = L'0'; digit <= L'9'; ++digit) {
        GLYPHMETRICS glyph{};
        if (GetGlyphOutlineW(m_dc, digit, GGO_METRICS, &glyph, 0, nullptr, &identity) == GDI_ERROR)
            continue;
        const double top = -double(glyph.gmptGlyphOrigin.y);
        const double bottom = top + glyph.gmBlackBoxY;
        ink = measured ? InkSpan{std::min(ink.top, top), std::max(ink.bottom, bottom)}
                       : InkSpan{top, bottom};
        measured = true;
    }
    // A font without outlines: its whole line.
    if (!measured)
        ink = {-double(m_metrics.tmAscent), double(m_metrics.tmDescent)};
    m_digitsInk = ink;
    return ink;
}
