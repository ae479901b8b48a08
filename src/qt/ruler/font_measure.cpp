#include "font_measure.h"

namespace {

// Enough for every text of the longest ruler many times over.
constexpr size_t maxAdvances = 4096;

} // namespace

void FontMeasure::use(const QFont &font, qreal ratio)
{
    if (font == m_font && ratio == m_ratio)
        return;
    m_font = font;
    m_metrics = QFontMetricsF(m_font);
    m_ratio = ratio;
    m_ascent = m_metrics.ascent() * ratio;
    m_lineHeight = m_metrics.height() * ratio;
    m_digitsInk.reset();
    m_advances.clear();
}

double FontMeasure::advance(std::string_view text) const
{
    const auto found = m_advances.find(text);
    if (found != m_advances.end())
        return found->second;
    // A crowded scale ends on another number at every size: a cache grown
    // past its bound starts again.
    if (m_advances.size() >= maxAdvances)
        m_advances.clear();
    const double measured =
        m_metrics.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size()))) *
        m_ratio;
    m_advances.emplace(text, measured);
    return measured;
}

TextMeasure::InkSpan FontMeasure::digitsInk() const
{
    if (!m_digitsInk) {
        const QRectF ink = m_metrics.tightBoundingRect(QStringLiteral("0123456789"));
        m_digitsInk = InkSpan{ink.top() * m_ratio, ink.bottom() * m_ratio};
    }
    return *m_digitsInk;
}
