#include "ruler_painter.h"

#include "color_value_rgb.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

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

// The colours of one repaint in Qt's colour type, converted once for all
// its ticks: each tick class's own, or the one line colour for all three.
struct Colors
{
    QRgb background;
    QRgb numbers;
    QRgb hint;
    std::array<QRgb, 3> ticks; // by TickClass
};

Colors colorsOf(const DrawingSettings &drawing)
{
    const QRgb line = rgbFromColorValue(drawing.line);
    return {rgbFromColorValue(drawing.background), rgbFromColorValue(drawing.numbers),
            rgbFromColorValue(drawing.hint),
            drawing.customLines
                ? std::array{rgbFromColorValue(drawing.smallLine),
                             rgbFromColorValue(drawing.midLine), rgbFromColorValue(drawing.bigLine)}
                : std::array{line, line, line}};
}

// A band of the ticks along one edge, as an image: a horizontal ruler's
// rows, or a vertical ruler's columns, that the ticks of at least one class
// reach into, with those ticks on the background.
//
// Across the scale the ticks make three bands: every tick reaches over the
// first (a small tick's length), mid and big ticks over the second, big ones
// alone over the third. All lines of a band look the same, so one is made and
// copied across the band, and the band drawn unscaled at both edges, rather
// than every tick drawn down its own column: where a calibrated scale crowds
// many ticks into every pixel, that is the difference between a few blits
// and a cache miss on every pixel.
QImage band(const Scale &scale, const Colors &colors, TickClass lowest, int along, int breadth)
{
    const bool horizontal = scale.orientation == ScaleOrientation::Horizontal;
    std::vector<QRgb> line(size_t(along), colors.background);
    for (const Tick &tick : scale.ticks) {
        if (tick.tickClass >= lowest && tick.position >= 0 && tick.position < along)
            line[size_t(tick.position)] = colors.ticks[size_t(tick.tickClass)];
    }
    QImage image = horizontal ? QImage(along, breadth, QImage::Format_RGB32)
                              : QImage(breadth, along, QImage::Format_RGB32);
    if (horizontal) {
        for (int y = 0; y < breadth; ++y)
            std::copy(line.begin(), line.end(), reinterpret_cast<QRgb *>(image.scanLine(y)));
    } else {
        for (int y = 0; y < along; ++y)
            std::fill_n(reinterpret_cast<QRgb *>(image.scanLine(y)), breadth, line[size_t(y)]);
    }
    return image;
}

// Both edges carry the same ticks: from the top and bottom edges of a
// horizontal ruler, from the left and right edges of a vertical one. Returns
// how deep the bands reach in from each edge, in device pixels.
int paintTicks(QPainter &painter, QSize device, qreal ratio, const Scale &scale,
               const Colors &colors)
{
    const bool horizontal = scale.orientation == ScaleOrientation::Horizontal;
    const int along = horizontal ? device.width() : device.height();
    const int across = horizontal ? device.height() : device.width();
    const auto at = [&](int offset) {
        return (horizontal ? QPointF(0, offset) : QPointF(offset, 0)) / ratio;
    };
    int bandStart = 0;
    for (const TickClass lowest : {TickClass::Small, TickClass::Mid, TickClass::Big}) {
        const int bandEnd = std::min(scale.tickPixels[size_t(lowest)], across / 2);
        if (bandEnd <= bandStart)
            continue;
        QImage image = band(scale, colors, lowest, along, bandEnd - bandStart);
        image.setDevicePixelRatio(ratio);
        painter.drawImage(at(bandStart), image);
        painter.drawImage(at(across - bandEnd), image);
        bandStart = bandEnd;
    }
    return bandStart;
}

} // namespace

template<typename Text, typename Draw>
RulerPainter::Stamp &RulerPainter::kept(Stamps<Text> &stamps, const StampKey<Text> &key, Draw draw)
{
    auto found = stamps.find(key);
    if (found == stamps.end())
        found = stamps.emplace(key, draw()).first;
    return found->second;
}

RulerPainter::Stamp &RulerPainter::numberStamp(double value, QRgb color)
{
    return kept(m_numberStamps, StampKey<double>{value, color},
                [&] { return drawnStamp(QString::fromStdString(numberText(value)), color); });
}

RulerPainter::Stamp &RulerPainter::textStamp(const QString &text, QRgb color)
{
    return kept(m_textStamps, StampKey<QString>{text, color},
                [&] { return drawnStamp(text, color); });
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

void RulerPainter::paintNumbers(QPainter &painter, const std::vector<Placement> &numbers,
                                QRgb background) const
{
    // Numbers that keep clear of each other lie on the background alone, so
    // their ink blended over it in advance is copied, which costs less than
    // blending; numbers crowded into each other's room are blended one over
    // the other.
    const auto rectOf = [](const Placement &placement) {
        return QRect(placement.at, placement.stamp->image.size());
    };
    const bool apart = std::adjacent_find(numbers.begin(), numbers.end(),
                                          [&](const Placement &a, const Placement &b) {
                                              return rectOf(a).intersects(rectOf(b));
                                          }) == numbers.end();
    for (const Placement &placement : numbers) {
        Stamp &stamp = *placement.stamp;
        if (apart && (stamp.overBackground.isNull() || stamp.background != background)) {
            stamp.overBackground = QImage(stamp.image.size(), QImage::Format_RGB32);
            stamp.overBackground.setDevicePixelRatio(m_ratio);
            for (int y = 0; y < stamp.image.height(); ++y) {
                const auto *ink = reinterpret_cast<const QRgb *>(stamp.image.constScanLine(y));
                auto *out = reinterpret_cast<QRgb *>(stamp.overBackground.scanLine(y));
                for (int x = 0; x < stamp.image.width(); ++x)
                    out[x] = sourceOver(ink[x], background);
            }
            stamp.background = background;
        }
        painter.drawImage(QPointF(placement.at) / m_ratio,
                          apart ? stamp.overBackground : stamp.image);
    }
}

void RulerPainter::useFont(const QFont &font, qreal ratio)
{
    if (font != m_font || ratio != m_ratio) {
        m_font = font;
        m_ratio = ratio;
        const QFontMetricsF metrics(m_font);
        m_ascent = metrics.ascent();
        m_lineHeight = metrics.height();
        m_digitsInk.reset();
        m_numberStamps.clear();
        m_textStamps.clear();
    }
    // A cache grown past its bound (a calibration value of billions) starts
    // again, before a repaint holds on to any of it.
    if (m_numberStamps.size() > maxStamps)
        m_numberStamps.clear();
    if (m_textStamps.size() > maxStamps)
        m_textStamps.clear();
}

void RulerPainter::prepare(qreal ratio, const Scale &scale, const DrawingSettings &drawing,
                           const QString &hint, const QFont &font)
{
    useFont(font, ratio);
    const Colors colors = colorsOf(drawing);
    for (const TickNumber &number : scale.numbers)
        numberStamp(number.value, colors.numbers);
    textStamp(hint, colors.hint);
}

void RulerPainter::paint(QPainter &painter, QSize device, qreal ratio, const Scale &scale,
                         const DrawingSettings &drawing, const QString &hint, const QFont &font)
{
    useFont(font, ratio);
    const Colors colors = colorsOf(drawing);

    const QSizeF size = QSizeF(device) / ratio;
    const bool horizontal = scale.orientation == ScaleOrientation::Horizontal;
    // The tick bands paint their own background; only the room between them is filled.
    const double bands = scale.orientation == ScaleOrientation::None
                             ? 0
                             : paintTicks(painter, device, ratio, scale, colors) / ratio;
    painter.fillRect(horizontal ? QRectF(0, bands, size.width(), size.height() - 2 * bands)
                                : QRectF(bands, 0, size.width() - 2 * bands, size.height()),
                     QColor::fromRgb(colors.background));
    const auto snap = [ratio](double logical) {
        return std::round(logical * ratio) / ratio;
    };

    if (scale.orientation != ScaleOrientation::None) {
        const double tick = scale.tickPixels[size_t(TickClass::Big)] / ratio;
        std::vector<Placement> first;
        std::vector<Placement> second;
        first.reserve(scale.numbers.size());
        second.reserve(scale.numbers.size());
        for (const TickNumber &number : scale.numbers) {
            Stamp &text = numberStamp(number.value, colors.numbers);
            const double centre = number.centre / ratio;
            if (horizontal) {
                first.push_back(placed(text, centre - text.width / 2, tick));
                second.push_back(
                    placed(text, centre - text.width / 2, size.height() - tick - m_lineHeight));
            } else {
                first.push_back(placed(text, tick, centre - m_lineHeight / 2));
                second.push_back(
                    placed(text, size.width() - tick - text.width, centre - m_lineHeight / 2));
            }
        }
        paintNumbers(painter, first, colors.background);
        paintNumbers(painter, second, colors.background);

        if (scale.numberBand) {
            // Numbers closer than a pixel overlap into one band of ink, as tall
            // as the digits and as long as the run of numbers: paint the band.
            if (!m_digitsInk)
                m_digitsInk = QFontMetricsF(m_font).tightBoundingRect(QStringLiteral("0123456789"));
            const QRectF &ink = *m_digitsInk;
            const double widest = numberStamp(scale.numbers.back().value, colors.numbers).width;
            const double from = scale.numberBand->fromCentre / ratio;
            const double to = scale.numberBand->toCentre / ratio;
            const QColor color = QColor::fromRgb(colors.numbers);
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
                    painter.fillRect(
                        snapped(QPointF(left, from + baselineOffset + ink.top()),
                                QPointF(left + widest, to + baselineOffset + ink.bottom())),
                        color);
                }
            }
        }
    }

    Stamp &hintText = textStamp(hint, colors.hint);
    const Placement hintPlace = placed(hintText, size.width() / 2 - hintText.width / 2,
                                       size.height() / 2 - m_lineHeight / 2);
    painter.drawImage(QPointF(hintPlace.at) / m_ratio, hintText.image);
}
