#include "ruler_painter.h"

#include "color_value_rgb.h"
#include "text_hash.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRect>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

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

QRectF logical(const Rect &device, qreal ratio)
{
    return {device.x / ratio, device.y / ratio, device.width / ratio, device.height / ratio};
}

bool meets(const QRect &a, const QRect &b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() &&
           b.top() <= a.bottom();
}

bool covers(const Rect &outer, const QRect &inner)
{
    return outer.x <= inner.left() && inner.right() < outer.x + outer.width &&
           outer.y <= inner.top() && inner.bottom() < outer.y + outer.height;
}

bool meets(const Rect &a, const QRect &b)
{
    return a.width > 0 && a.height > 0 && meets(QRect(a.x, a.y, a.width, a.height), b);
}

// Which of the areas, none of them empty, overlap another. In order of
// where they start along the picture's longer side, each area is compared
// with the few that start before it ends there.
std::vector<bool> overlapping(const std::vector<QRect> &areas, bool alongX)
{
    const auto start = [alongX](const QRect &area) {
        return alongX ? area.left() : area.top();
    };
    const auto end = [alongX](const QRect &area) {
        return alongX ? area.right() : area.bottom();
    };
    // Each area's start above its index in one integer. The texts of a
    // ruler come in rows already in order along it, one per edge: the runs
    // in order are merged, not sorted anew.
    std::vector<std::uint64_t> order;
    order.reserve(areas.size());
    std::vector<size_t> runs{0};
    for (size_t i = 0; i < areas.size(); ++i) {
        const auto biased = std::uint32_t(std::int64_t(start(areas[i])) - INT32_MIN);
        order.push_back(std::uint64_t(biased) << 32 | i);
        if (i > 0 && order[i] < order[i - 1])
            runs.push_back(i);
    }
    runs.push_back(order.size());
    while (runs.size() > 2) {
        std::vector<size_t> merged{0};
        for (size_t run = 2; run < runs.size(); run += 2) {
            std::inplace_merge(order.begin() + std::ptrdiff_t(runs[run - 2]),
                               order.begin() + std::ptrdiff_t(runs[run - 1]),
                               order.begin() + std::ptrdiff_t(runs[run]));
            merged.push_back(runs[run]);
        }
        if (runs.size() % 2 == 0)
            merged.push_back(runs.back());
        runs = std::move(merged);
    }

    const auto index = [&](size_t sorted) {
        return size_t(order[sorted] & 0xFFFFFFFFu);
    };
    std::vector<bool> overlaps(areas.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const QRect &area = areas[index(i)];
        for (size_t j = i + 1; j < order.size() && start(areas[index(j)]) <= end(area); ++j) {
            if (meets(area, areas[index(j)]))
                overlaps[index(i)] = overlaps[index(j)] = true;
        }
    }
    return overlaps;
}

// The fill that an area lies on alone, once everything is painted: the last
// fill to reach into it, if it covers the whole area.
const PictureFill *soleFillUnder(const std::vector<PictureFill> &fills, const QRect &area)
{
    for (auto fill = fills.rbegin(); fill != fills.rend(); ++fill) {
        if (meets(fill->area, area))
            return covers(fill->area, area) ? &*fill : nullptr;
    }
    return nullptr;
}

} // namespace

size_t RulerPainter::StampHash::operator()(StampKey key) const
{
    return TextHash{}(key.text) ^ (size_t(key.color) * 0x9E3779B97F4A7C15u);
}

RulerPainter::KeptStamp &RulerPainter::stamp(const PictureText &text)
{
    const StampKey key{text.text, rgbFromColorValue(text.color)};
    auto found = m_stamps.find(key);
    if (found == m_stamps.end()) {
        found = m_stamps
                    .emplace(KeptStampKey{text.text, key.color},
                             drawnStamp(QString::fromStdString(text.text), key.color))
                    .first;
    }
    return *found;
}

RulerPainter::Stamp RulerPainter::drawnStamp(const QString &text, QRgb color) const
{
    // Room around the advance for glyphs that reach past it.
    const int margin = int(std::ceil(m_lineHeight * m_ratio / 4));
    const double width = QFontMetricsF(m_font).horizontalAdvance(text);
    Stamp made;
    made.left = margin;
    made.baseline = margin + int(std::round(m_ascent * m_ratio));
    made.image = QImage(int(std::ceil(width * m_ratio)) + 2 * margin,
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

void RulerPainter::blendOver(Stamp &stamp, QRgb color) const
{
    stamp.overBackground = QImage(stamp.image.size(), QImage::Format_RGB32);
    stamp.overBackground.setDevicePixelRatio(m_ratio);
    for (int y = 0; y < stamp.image.height(); ++y) {
        const auto *ink = reinterpret_cast<const QRgb *>(stamp.image.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(stamp.overBackground.scanLine(y));
        for (int x = 0; x < stamp.image.width(); ++x)
            out[x] = sourceOver(ink[x], color);
    }
    stamp.background = color;
}

// A band's lines all look the same from one side of it to the other, so one
// line of pixels is made and copied across the band, and the band drawn
// unscaled at both edges, rather than every tick drawn down its own column:
// where a calibrated scale crowds many ticks into every pixel, that is the
// difference between a few blits and a cache miss on every pixel.
void RulerPainter::paintBand(QPainter &painter, const TickBand &band, QImage &image)
{
    const Rect &area = band.areas[0];
    const int along = band.horizontal ? area.width : area.height;
    const int breadth = band.horizontal ? area.height : area.width;
    if (along <= 0 || breadth <= 0)
        return;
    const QSize size = band.horizontal ? QSize(along, breadth) : QSize(breadth, along);
    if (image.size() != size)
        image = QImage(size, QImage::Format_RGB32);
    uchar *const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const auto row = [bits, stride](int y) {
        return reinterpret_cast<QRgb *>(bits + y * stride);
    };
    const int start = band.horizontal ? area.x : area.y;
    const QRgb background = rgbFromColorValue(band.background);
    if (band.horizontal) {
        // Copying a line of the background costs less than filling one.
        if (m_backgroundLine.size() < size_t(along) || m_backgroundLine.front() != background)
            m_backgroundLine.assign(size_t(along), background);
        QRgb *const line = row(0);
        std::copy_n(m_backgroundLine.data(), along, line);
        for (const TickLine &tick : band.lines) {
            const int at = tick.position - start;
            if (at >= 0 && at < along)
                line[at] = rgbFromColorValue(tick.color);
        }
        for (int y = 1; y < breadth; ++y)
            std::copy_n(line, along, row(y));
    } else {
        for (int y = 0; y < along; ++y)
            std::fill_n(row(y), breadth, background);
        for (const TickLine &tick : band.lines) {
            const int at = tick.position - start;
            if (at >= 0 && at < along)
                std::fill_n(row(at), breadth, rgbFromColorValue(tick.color));
        }
    }
    image.setDevicePixelRatio(m_ratio);
    for (const Rect &edge : band.areas)
        painter.drawImage(QPointF(edge.x, edge.y) / m_ratio, image);
}

void RulerPainter::paintTexts(QPainter &painter, const Picture &picture)
{
    const size_t count = picture.texts.size();
    m_shown.resize(count);
    m_areas.resize(count);
    const auto isStampOf = [](const KeptStamp *kept, const std::string &text, QRgb color) {
        return kept && kept->first.color == color && kept->first.text == text;
    };
    for (size_t i = 0; i < count; ++i) {
        const PictureText &text = picture.texts[i];
        const QRgb color = rgbFromColorValue(text.color);
        // A repaint mostly shows the texts of the one before, and a number
        // stands on both edges: a text is often the one before it again.
        KeptStamp *&shown = m_shown[i];
        if (!isStampOf(shown, text.text, color)) {
            shown = i > 0 && isStampOf(m_shown[i - 1], text.text, color) ? m_shown[i - 1]
                                                                         : &stamp(text);
        }
        // The baseline and the left edge fall on whole device pixels, as
        // they do inside the stamp, so that the stamp lands pixel for pixel.
        const Stamp &placed = shown->second;
        m_areas[i] = QRect(
            QPoint(text.baselineLeft.x - placed.left, text.baselineLeft.y - placed.baseline),
            placed.image.size());
    }
    // A text that keeps clear of the others and lies on one fill alone is
    // copied with its ink blended over that fill in advance, which costs
    // less than blending; texts crowded into each other's room are blended
    // one over the other.
    const std::vector<bool> crowded =
        overlapping(m_areas, picture.device.width >= picture.device.height);
    for (size_t i = 0; i < count; ++i) {
        Stamp &placed = m_shown[i]->second;
        const PictureFill *under = crowded[i] ? nullptr : soleFillUnder(picture.fills, m_areas[i]);
        if (under) {
            const QRgb background = rgbFromColorValue(under->color);
            if (placed.background != background)
                blendOver(placed, background);
        }
        painter.drawImage(QPointF(m_areas[i].topLeft()) / m_ratio,
                          under ? placed.overBackground : placed.image);
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
        m_stamps.clear();
        m_shown.clear();
    }
    // A cache grown past its bound (a crowded scale ends on another number
    // at every size) starts again, before a repaint holds on to any of it.
    if (m_stamps.size() > maxStamps) {
        m_stamps.clear();
        m_shown.clear();
    }
}

void RulerPainter::prepare(const Picture &picture, const QFont &font, qreal ratio)
{
    useFont(font, ratio);
    for (const PictureText &text : picture.texts)
        stamp(text);
}

void RulerPainter::paint(QPainter &painter, const Picture &picture, const QFont &font, qreal ratio)
{
    useFont(font, ratio);
    m_bands.resize(picture.bands.size());
    for (size_t i = 0; i < picture.bands.size(); ++i)
        paintBand(painter, picture.bands[i], m_bands[i]);
    for (const PictureFill &fill : picture.fills)
        painter.fillRect(logical(fill.area, m_ratio),
                         QColor::fromRgb(rgbFromColorValue(fill.color)));
    paintTexts(painter, picture);
}
