#pragma once

#include "core/scale/text_measure.h"
#include "text_hash.h"

#include <QFont>
#include <QFontMetricsF>

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

// The ruler's font as Qt sets it, measured in device pixels: Qt's metrics
// are in logical pixels, which the ratio turns into device pixels.
//
// A ruler measures the same numbers at every repaint, and Qt lays a text
// out to measure it: each text's advance is kept, for as long as the font
// and the ratio stay.
class FontMeasure : public TextMeasure
{
public:
    // Measures font at ratio device pixels per logical pixel from now on.
    void use(const QFont &font, qreal ratio);

    double ascent() const override { return m_ascent; }
    double lineHeight() const override { return m_lineHeight; }
    double advance(std::string_view text) const override;
    InkSpan digitsInk() const override;

private:
    QFont m_font;
    QFontMetricsF m_metrics{m_font};
    qreal m_ratio = 0;
    double m_ascent = 0;
    double m_lineHeight = 0;
    // Measured once a scale crowds its numbers into a band, not before: a
    // window's first repaint needs no more than the texts it shows.
    mutable std::optional<InkSpan> m_digitsInk;
    mutable std::unordered_map<std::string, double, TextHash, std::equal_to<>> m_advances;
};
