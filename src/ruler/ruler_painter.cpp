#include "ruler_painter.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

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

void fillColumn(QImage &image, int x, int fromY, int toY, QRgb color)
{
    for (int y = std::max(fromY, 0); y < std::min(toY, image.height()); ++y)
        reinterpret_cast<QRgb *>(image.scanLine(y))[x] = color;
}

void fillRow(QImage &image, int y, int fromX, int toX, QRgb color)
{
    QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
    std::fill(line + std::max(fromX, 0), line + std::min(toX, image.width()), color);
}

// Both edges carry the same ticks: from the top and bottom edges of a
// horizontal ruler, from the left and right edges of a vertical one.
void paintTicks(QImage &image, const Scale &scale, const DrawingSettings &drawing)
{
    const bool horizontal = scale.orientation == ScaleOrientation::Horizontal;
    const int along = horizontal ? image.width() : image.height();
    const int across = horizontal ? image.height() : image.width();
    for (const Tick &tick : scale.ticks) {
        if (tick.position < 0 || tick.position >= along)
            continue;
        const int length = scale.tickPixels[size_t(tick.tickClass)];
        const QRgb color = tickColor(drawing, tick.tickClass);
        if (horizontal) {
            fillColumn(image, tick.position, 0, length, color);
            fillColumn(image, tick.position, across - length, across, color);
        } else {
            fillRow(image, tick.position, 0, length, color);
            fillRow(image, tick.position, across - length, across, color);
        }
    }
}

// Text is placed in logical coordinates but snapped to whole device pixels,
// so that glyphs do not blur between two pixel rows.
class TextPlacer
{
public:
    TextPlacer(QPainter &painter, const QFont &font, qreal ratio)
        : m_painter(painter)
        , m_metrics(font, painter.device())
        , m_ratio(ratio)
    {
    }

    const QFontMetricsF &metrics() const { return m_metrics; }
    qreal snap(qreal logical) const { return std::round(logical * m_ratio) / m_ratio; }

    // Draws text with its top-left corner at (left, top), background untouched.
    void draw(qreal left, qreal top, const QString &text)
    {
        m_painter.drawText(QPointF(snap(left), snap(top + m_metrics.ascent())), text);
    }

private:
    QPainter &m_painter;
    QFontMetricsF m_metrics;
    qreal m_ratio;
};

void paintNumbers(QPainter &painter, TextPlacer &placer, const Scale &scale,
                  const DrawingSettings &drawing, QSizeF size, qreal ratio)
{
    painter.setPen(QColor::fromRgb(drawing.numbers));
    const QFontMetricsF &metrics = placer.metrics();
    const qreal tick = scale.tickPixels[size_t(TickClass::Big)] / ratio;
    const qreal height = metrics.height();
    const bool horizontal = scale.orientation == ScaleOrientation::Horizontal;
    for (const TickNumber &number : scale.numbers) {
        const QString text = numberText(number.value);
        const qreal width = metrics.horizontalAdvance(text);
        const qreal centre = number.centre / ratio;
        if (horizontal) {
            placer.draw(centre - width / 2, tick, text);
            placer.draw(centre - width / 2, size.height() - tick - height, text);
        } else {
            placer.draw(tick, centre - height / 2, text);
            placer.draw(size.width() - tick - width, centre - height / 2, text);
        }
    }

    if (!scale.numberBand)
        return;
    // Numbers closer than a pixel overlap into one band of ink, as tall as the
    // digits and as long as the run of numbers: paint the band itself.
    const QRectF ink = metrics.tightBoundingRect(QStringLiteral("0123456789"));
    const qreal widest = metrics.horizontalAdvance(numberText(scale.numbers.back().value));
    const qreal from = scale.numberBand->fromCentre / ratio;
    const qreal to = scale.numberBand->toCentre / ratio;
    const QColor color = QColor::fromRgb(drawing.numbers);
    const auto snapped = [&](QRectF r) {
        return QRectF(QPointF(placer.snap(r.left()), placer.snap(r.top())),
                      QPointF(placer.snap(r.right()), placer.snap(r.bottom())));
    };
    if (horizontal) {
        for (qreal top : {tick, size.height() - tick - height}) {
            const qreal baseline = top + metrics.ascent();
            painter.fillRect(snapped(QRectF(QPointF(from, baseline + ink.top()),
                                            QPointF(to, baseline + ink.bottom()))),
                             color);
        }
    } else {
        const qreal baselineOffset = metrics.ascent() - height / 2;
        for (qreal left : {tick, size.width() - tick - widest}) {
            painter.fillRect(snapped(QRectF(QPointF(left, from + baselineOffset + ink.top()),
                                            QPointF(left + widest, to + baselineOffset + ink.bottom()))),
                             color);
        }
    }
}

} // namespace

void paintRuler(QImage &image, const Scale &scale, const DrawingSettings &drawing,
                const QString &hint, const QFont &font)
{
    image.fill(drawing.background);
    if (scale.orientation != ScaleOrientation::None)
        paintTicks(image, scale, drawing);

    const qreal ratio = image.devicePixelRatio();
    const QSizeF size = image.deviceIndependentSize();
    QPainter painter(&image);
    painter.setFont(font);
    TextPlacer placer(painter, font, ratio);
    if (scale.orientation != ScaleOrientation::None)
        paintNumbers(painter, placer, scale, drawing, size, ratio);

    painter.setPen(QColor::fromRgb(drawing.hint));
    const QFontMetricsF &metrics = placer.metrics();
    placer.draw(size.width() / 2 - metrics.horizontalAdvance(hint) / 2,
                size.height() / 2 - metrics.height() / 2, hint);
}
