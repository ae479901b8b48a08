#include "picture_layout.h"

#include <algorithm>
#include <cmath>

namespace {

// Texts and fills are placed the way text is set: at fractional device
// pixels, then rounded to the nearest whole one.
int wholePixel(double position)
{
    return int(std::round(position));
}

Rect between(double left, double top, double right, double bottom)
{
    const int x = wholePixel(left);
    const int y = wholePixel(top);
    return {x, y, wholePixel(right) - x, wholePixel(bottom) - y};
}

// Each tick class's own colour, or the one line colour for all three.
std::array<ColorValue, 3> tickColors(const DrawingSettings &drawing)
{
    if (!drawing.customLines)
        return {drawing.line, drawing.line, drawing.line};
    return {drawing.smallLine, drawing.midLine, drawing.bigLine}; // by TickClass
}

// Across the scale the ticks make three bands: every tick reaches over the
// first (a small tick's length), mid and big ticks over the second, big ones
// alone over the third. No band reaches past the middle of the window, so
// that the two edges' ticks never cross. Returns how deep the bands reach in
// from each edge.
int addTickBands(Picture &picture, const Scale &scale, const DrawingSettings &drawing)
{
    const bool horizontal = scale.orientation == ScaleOrientation::Horizontal;
    const int along = horizontal ? picture.device.width : picture.device.height;
    const int across = horizontal ? picture.device.height : picture.device.width;
    const std::array<ColorValue, 3> colors = tickColors(drawing);
    size_t bands = 0;
    int bandStart = 0;
    for (const TickClass lowest : {TickClass::Small, TickClass::Mid, TickClass::Big}) {
        const int bandEnd = std::min(scale.tickPixels[size_t(lowest)], across / 2);
        if (bandEnd <= bandStart)
            continue;
        const int depth = bandEnd - bandStart;
        if (picture.bands.size() == bands)
            picture.bands.emplace_back();
        TickBand &band = picture.bands[bands++];
        band.horizontal = horizontal;
        band.background = drawing.background;
        band.areas = horizontal ? std::array{Rect{0, bandStart, along, depth},
                                             Rect{0, across - bandEnd, along, depth}}
                                : std::array{Rect{bandStart, 0, depth, along},
                                             Rect{across - bandEnd, 0, depth, along}};
        // The ticks are in order along the scale: those on the window are a run of them.
        const std::vector<Tick> &ticks = scale.shownTicks[size_t(lowest)];
        const auto from = std::partition_point(ticks.begin(), ticks.end(),
                                               [](const Tick &tick) { return tick.position < 0; });
        const auto to = std::partition_point(
            from, ticks.end(), [along](const Tick &tick) { return tick.position < along; });
        // Mostly as many lines as at the last repaint: resizing then costs nothing.
        band.lines.resize(size_t(to - from));
        std::transform(from, to, band.lines.begin(), [&colors](const Tick &tick) {
            return TickLine{tick.position, colors[size_t(tick.tickClass)]};
        });
        bandStart = bandEnd;
    }
    picture.bands.resize(bands);
    return bandStart;
}

} // namespace

const Picture &PictureLayout::layOut(const Scale &scale, const DrawingSettings &drawing,
                                     const std::string &hint, Size device,
                                     const TextMeasure &measure)
{
    Picture &picture = m_picture;
    picture.device = device;
    const bool horizontal = scale.orientation == ScaleOrientation::Horizontal;
    const bool oriented = scale.orientation != ScaleOrientation::None;
    // Every text is written over one of the picture before, keeping its memory.
    picture.texts.resize(oriented ? 2 * scale.numbers.size() + 1 : 1);
    picture.fills.clear();
    // The tick bands paint their own background; only the room between them is filled.
    int bands = 0;
    if (oriented)
        bands = addTickBands(picture, scale, drawing);
    else
        picture.bands.clear();
    picture.fills.push_back({horizontal ? Rect{0, bands, device.width, device.height - 2 * bands}
                                        : Rect{bands, 0, device.width - 2 * bands, device.height},
                             drawing.background});
    if (oriented)
        addNumbers(scale, drawing, measure);
    else
        m_numberValues.clear();

    PictureText &shownHint = picture.texts.back();
    shownHint.text = hint;
    shownHint.baselineLeft = {
        wholePixel(device.width / 2.0 - measure.advance(hint) / 2),
        wholePixel(device.height / 2.0 - measure.lineHeight() / 2 + measure.ascent())};
    shownHint.color = drawing.hint;
    return picture;
}

// A number on both edges, centred on its tick: under the top tick and over
// the bottom one of a horizontal ruler, right of the left tick and left of
// the right one of a vertical ruler. The numbers are listed in order along
// the scale, each on the first edge and then on the second.
void PictureLayout::addNumbers(const Scale &scale, const DrawingSettings &drawing,
                               const TextMeasure &measure)
{
    Picture &picture = m_picture;
    const bool horizontal = scale.orientation == ScaleOrientation::Horizontal;
    const double tick = scale.tickPixels[size_t(TickClass::Big)];
    const double ascent = measure.ascent();
    const double lineHeight = measure.lineHeight();
    const double width = picture.device.width;
    const double height = picture.device.height;
    // Along a horizontal ruler the numbers of an edge share one baseline.
    const int firstBaseline = wholePixel(tick + ascent);
    const int secondBaseline = wholePixel(height - tick - lineHeight + ascent);
    const size_t kept = m_numberValues.size();
    m_numberValues.resize(scale.numbers.size());
    for (size_t i = 0; i < scale.numbers.size(); ++i) {
        const TickNumber &number = scale.numbers[i];
        PictureText &first = picture.texts[2 * i];
        PictureText &second = picture.texts[2 * i + 1];
        // A repaint mostly shows the numbers of the one before.
        if (i >= kept || m_numberValues[i] != number.value) {
            m_numberValues[i] = number.value;
            first.text = numberText(number.value);
            second.text = first.text;
        }
        const double advance = measure.advance(first.text);
        if (horizontal) {
            first.baselineLeft.x = second.baselineLeft.x = wholePixel(number.centre - advance / 2);
            first.baselineLeft.y = firstBaseline;
            second.baselineLeft.y = secondBaseline;
        } else {
            first.baselineLeft.x = int(tick);
            second.baselineLeft.x = wholePixel(width - tick - advance);
            first.baselineLeft.y = second.baselineLeft.y =
                wholePixel(number.centre - lineHeight / 2 + ascent);
        }
        first.color = second.color = drawing.numbers;
    }

    if (!scale.numberBand)
        return;
    // Numbers closer than a pixel overlap into one band of ink, as deep as
    // the digits and as long as the run of numbers: the band is filled.
    const TextMeasure::InkSpan ink = measure.digitsInk();
    const double from = scale.numberBand->fromCentre;
    const double to = scale.numberBand->toCentre;
    if (horizontal) {
        for (const double top : {tick, height - tick - lineHeight}) {
            const double baseline = top + ascent;
            picture.fills.push_back(
                {between(from, baseline + ink.top, to, baseline + ink.bottom), drawing.numbers});
        }
    } else {
        const double widest = measure.advance(picture.texts[2 * scale.numbers.size() - 2].text);
        const double baselineOffset = ascent - lineHeight / 2;
        for (const double left : {tick, width - tick - widest}) {
            picture.fills.push_back({between(left, from + baselineOffset + ink.top, left + widest,
                                             to + baselineOffset + ink.bottom),
                                     drawing.numbers});
        }
    }
}
