#include "ruler_painter.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Enough for every number of the longest ruler many times over.
constexpr size_t maxStamps = 4096;

// Premultiplied ink over an opaque pixel, in the raster engine's own integer
// arithmetic, so that ink blended in advance looks as if drawn there.
QRgb sourceOver(QRgb ink, QRgb pixel)
{
    const uint rest = 255 - qAlpha(ink);
    uint redBlue = (pixel & 0xff00ff) * rest;
    redBlue = ((redBlue + ((redBlue >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    uint green = ((pixel >> 8) & 0xff) * rest;
    green = ((green + (green >> 8) + 0x80) >> 8) & 0xff;
    return 0xff000000 | (ink + (redBlue | (green << 8)));
}

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
// horizontal ruler, from the left and right edges of a vertical one. The
// rows of a horizontal ruler's ticks are painted whole, background included;
// everything else is left to the background fill.
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
        std::fill_n(row, width, drawing.background);
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

} // namespace

template<typename Text>
RulerPainter::Stamp &RulerPainter::kept(Stamps<Text> &stamps, const StampKey<Text> &key,
                                        const std::function<Stamp()> &draw)
{
    auto found = stamps.find(key);
    if (found == stamps.end())
        found = stamps.emplace(key, draw()).first;
    return found->second;
}

RulerPainter::Stamp &RulerPainter::numberStamp(double value, QRgb color)
{
    return kept(m_numberStamps, StampKey<double>{value, color},
                [&] { return drawnStamp(numberText(value), color); });
}

RulerPainter::Stamp &RulerPainter::textStamp(const QString &text, QRgb color)
{
    return kept(m_textStamps, StampKey<QString>{text, color}, [&] { return drawnStamp(text, color); });
}

RulerPainter::Stamp RulerPainter::drawnStamp(const QString &text, QRgb color) const
{
    // Room around the advance for glyphs that reach past it.
    const int margin = int(std::ceil(m_lineHeight * m_ratio / 4));
    Stamp made;
    made.width = QFontMetricsF(m_font).horizontalAdvance(text);
    made.left = margin;
    made.baseline = margin + int(std::round(m_ascent * m_ratio));
    made.image = QImage(int(std::ceil(made.width * m_ratio)) + 2 * margin,
                        int(std::ceil(m_lineHeight * m_ratio)) + 2 * margin,
                        QImage::Format_ARGB32_Premultiplied);
    made.image.fill(Qt::transparent);
    made.image.setDevicePixelRatio(m_ratio);
    QPainter painter(&made.image);
    painter.setFont(m_font);
    painter.setPen(QColor::fromRgb(color));
    painter.drawText(QPointF(made.left / m_ratio, made.baseline / m_ratio), text);
    painter.end();

    // Only the ink is kept: every pixel of a stamp is blended at every repaint.
    QRect ink;
    for (int y = 0; y < made.image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(made.image.constScanLine(y));
        for (int x = 0; x < made.image.width(); ++x) {
            if (qAlpha(line[x]) != 0)
                ink |= QRect(x, y, 1, 1);
        }
    }
    if (ink.isEmpty())
        ink = QRect(0, 0, 1, 1);
    made.image = made.image.copy(ink);
    made.image.setDevicePixelRatio(m_ratio);
    made.left -= ink.left();
    made.baseline -= ink.top();
    return made;
}

RulerPainter::Placement RulerPainter::placed(Stamp &stamp, double left, double top) const
{
    // The baseline and the left edge fall on whole device pixels, as they
    // do inside the stamp, so that the stamp lands pixel for pixel.
    return {&stamp, QPoint(int(std::round(left * m_ratio)) - stamp.left,
                           int(std::round((top + m_ascent) * m_ratio)) - stamp.baseline)};
}

void RulerPainter::paintNumbers(QImage &image, QPainter &painter,
                                const std::vector<Placement> &numbers, QRgb background) const
{
    // Numbers that keep clear of each other lie on the background alone, so
    // their ink blended over it in advance can simply be copied; numbers
    // crowded into each other's room are blended one over the other.
    const auto rectOf = [](const Placement &placement) {
        return QRect(placement.at, placement.stamp->image.size());
    };
    const bool apart = std::adjacent_find(numbers.begin(), numbers.end(),
                                          [&](const Placement &a, const Placement &b) {
                                              return rectOf(a).intersects(rectOf(b));
                                          }) == numbers.end();
    for (const Placement &placement : numbers) {
        Stamp &stamp = *placement.stamp;
        if (!apart) {
            painter.drawImage(QPointF(placement.at) / m_ratio, stamp.image);
            continue;
        }
        if (stamp.overBackground.isNull() || stamp.background != background) {
            stamp.overBackground = QImage(stamp.image.size(), QImage::Format_RGB32);
            for (int y = 0; y < stamp.image.height(); ++y) {
                const auto *ink = reinterpret_cast<const QRgb *>(stamp.image.constScanLine(y));
                auto *out = reinterpret_cast<QRgb *>(stamp.overBackground.scanLine(y));
                for (int x = 0; x < stamp.image.width(); ++x)
                    out[x] = sourceOver(ink[x], background);
            }
            stamp.background = background;
        }
        const QRect target = rectOf(placement).intersected(image.rect());
        const size_t rowBytes = size_t(target.width()) * sizeof(QRgb);
        for (int y = target.top(); y <= target.bottom(); ++y) {
            std::memcpy(reinterpret_cast<QRgb *>(image.scanLine(y)) + target.left(),
                        reinterpret_cast<const QRgb *>(stamp.overBackground.constScanLine(
                            y - placement.at.y())) + (target.left() - placement.at.x()),
                        rowBytes);
        }
    }
}

void RulerPainter::paint(QImage &image, const Scale &scale, const DrawingSettings &drawing,
                         const QString &hint, const QFont &font)
{
    const qreal ratio = image.devicePixelRatio();
    if (font != m_font || ratio != m_ratio) {
        m_font = font;
        m_ratio = ratio;
        const QFontMetricsF metrics(m_font);
        m_ascent = metrics.ascent();
        m_lineHeight = metrics.height();
        m_numberStamps.clear();
        m_textStamps.clear();
    }
    // A cache grown past its bound (a calibration value of billions) starts
    // again, before this repaint holds on to any of it.
    if (m_numberStamps.size() > maxStamps)
        m_numberStamps.clear();
    if (m_textStamps.size() > maxStamps)
        m_textStamps.clear();
    if (scale.orientation == ScaleOrientation::Horizontal) {
        // The ticks' rows are painted whole; only the rows between them are filled.
        const int tickRows = std::min(scale.tickPixels[size_t(TickClass::Big)], image.height() / 2);
        QImage between(image.bits() + tickRows * image.bytesPerLine(), image.width(),
                       image.height() - 2 * tickRows, image.bytesPerLine(), image.format());
        between.fill(drawing.background);
        paintTicks(image, scale, drawing);
    } else {
        image.fill(drawing.background);
        if (scale.orientation == ScaleOrientation::Vertical)
            paintTicks(image, scale, drawing);
    }

    const QSizeF size = image.deviceIndependentSize();
    QPainter painter(&image);
    const auto snap = [ratio](double logical) { return std::round(logical * ratio) / ratio; };

    if (scale.orientation != ScaleOrientation::None) {
        const double tick = scale.tickPixels[size_t(TickClass::Big)] / ratio;
        const bool horizontal = scale.orientation == ScaleOrientation::Horizontal;
        std::vector<Placement> first;
        std::vector<Placement> second;
        first.reserve(scale.numbers.size());
        second.reserve(scale.numbers.size());
        for (const TickNumber &number : scale.numbers) {
            Stamp &text = numberStamp(number.value, drawing.numbers);
            const double centre = number.centre / ratio;
            if (horizontal) {
                first.push_back(placed(text, centre - text.width / 2, tick));
                second.push_back(placed(text, centre - text.width / 2, size.height() - tick - m_lineHeight));
            } else {
                first.push_back(placed(text, tick, centre - m_lineHeight / 2));
                second.push_back(placed(text, size.width() - tick - text.width, centre - m_lineHeight / 2));
            }
        }
        paintNumbers(image, painter, first, drawing.background);
        paintNumbers(image, painter, second, drawing.background);

        if (scale.numberBand) {
            // Numbers closer than a pixel overlap into one band of ink, as tall
            // as the digits and as long as the run of numbers: paint the band.
            const QRectF ink = QFontMetricsF(m_font).tightBoundingRect(QStringLiteral("0123456789"));
            const double widest = numberStamp(scale.numbers.back().value, drawing.numbers).width;
            const double from = scale.numberBand->fromCentre / ratio;
            const double to = scale.numberBand->toCentre / ratio;
            const QColor color = QColor::fromRgb(drawing.numbers);
            const auto snapped = [&](QPointF topLeft, QPointF bottomRight) {
                return QRectF(QPointF(snap(topLeft.x()), snap(topLeft.y())),
                              QPointF(snap(bottomRight.x()), snap(bottomRight.y())));
            };
            if (horizontal) {
                for (double top : {tick, size.height() - tick - m_lineHeight}) {
                    const double baseline = top + m_ascent;
                    painter.fillRect(snapped(QPointF(from, baseline + ink.top()),
                                             QPointF(to, baseline + ink.bottom())),
                                     color);
                }
            } else {
                const double baselineOffset = m_ascent - m_lineHeight / 2;
                for (double left : {tick, size.width() - tick - widest}) {
                    painter.fillRect(snapped(QPointF(left, from + baselineOffset + ink.top()),
                                             QPointF(left + widest, to + baselineOffset + ink.bottom())),
                                     color);
                }
            }
        }
    }

    Stamp &hintText = textStamp(hint, drawing.hint);
    const Placement hintPlace =
        placed(hintText, size.width() / 2 - hintText.width / 2, size.height() / 2 - m_lineHeight / 2);
    painter.drawImage(QPointF(hintPlace.at) / m_ratio, hintText.image);
}
