#include "ruler_painter.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Enough for every number of the longest ruler many times over; a cache that
// grows past it (a calibration value of billions) starts again.
constexpr qsizetype maxLaidOutTexts = 4096;

QRgb tickColor(const DrawingSettings &drawing, TickClass tickClass)
{
    if (!drawing.customLines)
        return drawing.line;
    switch (tickClass) {
    case TickClass::Big:
        return drawing.bigLine;
    case TickClass::Mid:
        return drawing.midLine;
    case TickClass::Small:
        return drawing.smallLine;
    }
    return drawing.line;
}

// Both edges carry the same ticks: from the top and bottom edges of a
// horizontal ruler, from the left and right edges of a vertical one.
//
// Across the scale, the ticks make three bands: every tick reaches over the
// first (a small tick's length), mid and big ones over the second, big ones
// alone over the third. All rows of a band look the same, so a horizontal
// ruler paints one row per band and copies it, instead of running down every
// tick's column: where ticks crowd a whole calibrated scale into each pixel,
// that is the difference between writing rows and missing the cache on every
// pixel.
void paintTicks(QImage &image, const Scale &scale, const DrawingSettings &drawing)
{
    const bool horizontal = scale.orientation == ScaleOrientation::Horizontal;
    const int width = image.width();
    const int height = image.height();
    const int along = horizontal ? width : height;
    const int across = horizontal ? height : width;
    uchar *const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const auto pixel = [&](int x, int y) { return reinterpret_cast<QRgb *>(bits + y * stride) + x; };

    if (!horizontal) {
        for (const Tick &tick : scale.ticks) {
            if (tick.position < 0 || tick.position >= along)
                continue;
            const int length = std::min(scale.tickPixels[size_t(tick.tickClass)], across);
            const QRgb color = tickColor(drawing, tick.tickClass);
            std::fill_n(pixel(0, tick.position), length, color);
            std::fill_n(pixel(width - length, tick.position), length, color);
        }
        return;
    }

    int bandStart = 0;
    for (const TickClass band : {TickClass::Small, TickClass::Mid, TickClass::Big}) {
        const int bandEnd = std::min(scale.tickPixels[size_t(band)], across / 2);
        if (bandEnd <= bandStart)
            continue;
        QRgb *const row = pixel(0, bandStart);
        for (const Tick &tick : scale.ticks) {
            if (tick.tickClass >= band && tick.position >= 0 && tick.position < along)
                row[tick.position] = tickColor(drawing, tick.tickClass);
        }
        const size_t rowBytes = size_t(width) * sizeof(QRgb);
        for (int y = bandStart; y < bandEnd; ++y) {
            if (y != bandStart)
                std::memcpy(pixel(0, y), row, rowBytes);
            std::memcpy(pixel(0, height - 1 - y), row, rowBytes);
        }
        bandStart = bandEnd;
    }
}

// Text is placed in logical coordinates but with its baseline on a whole
// device pixel, so that glyphs do not blur between two pixel rows.
class TextPlacer
{
public:
    TextPlacer(QPainter &painter, const QFontMetricsF &metrics, qreal ratio)
        : m_painter(painter)
        , m_metrics(metrics)
        , m_ratio(ratio)
    {
    }

    qreal snap(qreal logical) const { return std::round(logical * m_ratio) / m_ratio; }

    // Draws text with its top-left corner at (left, top), background untouched.
    void draw(qreal left, qreal top, const QStaticText &text)
    {
        const qreal baseline = snap(top + m_metrics.ascent());
        m_painter.drawStaticText(QPointF(snap(left), baseline - m_metrics.ascent()), text);
    }

private:
    QPainter &m_painter;
    const QFontMetricsF &m_metrics;
    qreal m_ratio;
};

} // namespace

const QStaticText &RulerPainter::laidOut(const QString &text)
{
    auto found = m_texts.find(text);
    if (found == m_texts.end()) {
        if (m_texts.size() >= maxLaidOutTexts)
            m_texts.clear();
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), m_font);
        found = m_texts.insert(text, laid);
    }
    return *found;
}

void RulerPainter::paint(QImage &image, const Scale &scale, const DrawingSettings &drawing,
                         const QString &hint, const QFont &font)
{
    if (font != m_font) {
        m_font = font;
        m_texts.clear();
    }
    image.fill(drawing.background);
    if (scale.orientation != ScaleOrientation::None)
        paintTicks(image, scale, drawing);

    const qreal ratio = image.devicePixelRatio();
    const QSizeF size = image.deviceIndependentSize();
    QPainter painter(&image);
    painter.setFont(m_font);
    const QFontMetricsF metrics(m_font, &image);
    const qreal lineHeight = metrics.height();
    TextPlacer placer(painter, metrics, ratio);

    if (scale.orientation != ScaleOrientation::None) {
        painter.setPen(QColor::fromRgb(drawing.numbers));
        const qreal tick = scale.tickPixels[size_t(TickClass::Big)] / ratio;
        const bool horizontal = scale.orientation == ScaleOrientation::Horizontal;
        for (const TickNumber &number : scale.numbers) {
            const QStaticText &text = laidOut(numberText(number.value));
            const qreal width = text.size().width();
            const qreal centre = number.centre / ratio;
            if (horizontal) {
                placer.draw(centre - width / 2, tick, text);
                placer.draw(centre - width / 2, size.height() - tick - lineHeight, text);
            } else {
                placer.draw(tick, centre - lineHeight / 2, text);
                placer.draw(size.width() - tick - width, centre - lineHeight / 2, text);
            }
        }

        if (scale.numberBand) {
            // Numbers closer than a pixel overlap into one band of ink, as tall
            // as the digits and as long as the run of numbers: paint the band.
            const QRectF ink = metrics.tightBoundingRect(QStringLiteral("0123456789"));
            const qreal widest = laidOut(numberText(scale.numbers.back().value)).size().width();
            const qreal from = scale.numberBand->fromCentre / ratio;
            const qreal to = scale.numberBand->toCentre / ratio;
            const QColor color = QColor::fromRgb(drawing.numbers);
            const auto snapped = [&](QPointF topLeft, QPointF bottomRight) {
                return QRectF(QPointF(placer.snap(topLeft.x()), placer.snap(topLeft.y())),
                              QPointF(placer.snap(bottomRight.x()), placer.snap(bottomRight.y())));
            };
            if (horizontal) {
                for (qreal top : {tick, size.height() - tick - lineHeight}) {
                    const qreal baseline = top + metrics.ascent();
                    painter.fillRect(snapped(QPointF(from, baseline + ink.top()),
                                             QPointF(to, baseline + ink.bottom())),
                                     color);
                }
            } else {
                const qreal baselineOffset = metrics.ascent() - lineHeight / 2;
                for (qreal left : {tick, size.width() - tick - widest}) {
                    painter.fillRect(snapped(QPointF(left, from + baselineOffset + ink.top()),
                                             QPointF(left + widest, to + baselineOffset + ink.bottom())),
                                     color);
                }
            }
        }
    }

    painter.setPen(QColor::fromRgb(drawing.hint));
    const QStaticText &hintText = laidOut(hint);
    placer.draw(size.width() / 2 - hintText.size().width() / 2, size.height() / 2 - lineHeight / 2,
                hintText);
}
