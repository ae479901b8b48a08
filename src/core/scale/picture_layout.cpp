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

// One band's lines as the pass over the ticks writes them: the pixel at
// hand has a slot, which the band moves past once the pixel has shown a
// tick of the band's class.
struct BandLines
{
    TickLine *next;
    TickLine *last;
    ColorValue shown = 0;
    bool showing = false;

    void show(ColorValue color, bool counts)
    {
        shown = counts ? color : shown;
        showing |= counts;
    }
    // Writes the slot whether or not the pixel showed a tick, rather than
    // branch on it: a slot not moved past is written again.
    void endPixel(int pixel)
    {
        *next = {pixel, shown};
        next += showing & (next != last);
        showing = false;
    }
};

// What the band of each tick class shows along the scale: at every pixel
// that ticks fall on, the colour of the last tick painted there of at least
// that class. The ticks come pixel by pixel, in painting order; a crowded
// scale has thousands, and a pixel holds two or three of them in no fixed
// pattern, so the pass over them branches on nothing but the next pixel.
std::array<std::vector<TickLine>, 3> linesByClass(const Scale &scale, int along,
                                                  const std::array<ColorValue, 3> &colors)
{
    // A line per pixel at most, and the slot of the pixel at hand.
    const size_t slots = std::min(scale.ticks.size(), size_t(std::max(along, 0))) + 1;
    std::array<std::vector<TickLine>, 3> lines;
    for (std::vector<TickLine> &band : lines)
        band.resize(slots);
    const auto writer = [&](TickClass tickClass) {
        TickLine *first = lines[size_t(tickClass)].data();
        return BandLines{first, first + slots - 1};
    };
    // Three variables, not an array: the compiler keeps them in registers.
    BandLines small = writer(TickClass::Small);
    BandLines mid = writer(TickClass::Mid);
    BandLines big = writer(TickClass::Big);
    int pixel = -1;
    for (const Tick &tick : scale.ticks) {
        if (tick.position < 0 || tick.position >= along)
            continue;
        if (tick.position != pixel) {
            small.endPixel(pixel);
            mid.endPixel(pixel);
            big.endPixel(pixel);
            pixel = tick.position;
        }
        const ColorValue color = colors[size_t(tick.tickClass)];
        small.show(color, true);
        mid.show(color, tick.tickClass >= TickClass::Mid);
        big.show(color, tick.tickClass == TickClass::Big);
    }
    small.endPixel(pixel);
    mid.endPixel(pixel);
    big.endPixel(pixel);
    lines[0].resize(size_t(small.next - lines[0].data()));
    lines[1].resize(size_t(mid.next - lines[1].data()));
    lines[2].resize(size_t(big.next - lines[2].data()));
    return lines;
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
    std::array<std::vector<TickLine>, 3> lines = linesByClass(scale, along, tickColors(drawing));
    int bandStart = 0;
    for (const TickClass lowest : {TickClass::Small, TickClass::Mid, TickClass::Big}) {
        const int bandEnd = std::min(scale.tickPixels[size_t(lowest)], across / 2);
        if (bandEnd <= bandStart)
            continue;
        const int depth = bandEnd - bandStart;
        TickBand band;
        band.horizontal = horizontal;
        band.background = drawing.background;
        band.areas = horizontal ? std::array{Rect{0, bandStart, along, depth},
                                             Rect{0, across - bandEnd, along, depth}}
                                : std::array{Rect{bandStart, 0, depth, along},
                                             Rect{across - bandEnd, 0, depth, along}};
        band.lines = std::move(lines[size_t(lowest)]);
        picture.bands.push_back(std::move(band));
        bandStart = bandEnd;
    }
    return bandStart;
}

// A number on both edges, centred on its tick: under the top tick and over
// the bottom one of a horizontal ruler, right of the left tick and left of
// the right one of a vertical ruler. The numbers are listed in order along
// the scale, each on the first edge and then on the second.
void addNumbers(Picture &picture, const Scale &scale, const DrawingSettings &drawing,
                const TextMeasure &measure)
{
    const bool horizontal = scale.orientation == ScaleOrientation::Horizontal;
    const double tick = scale.tickPixels[size_t(TickClass::Big)];
    const double ascent = measure.ascent();
    const double lineHeight = measure.lineHeight();
    const double width = picture.device.width;
    const double height = picture.device.height;
    picture.texts.reserve(2 * scale.numbers.size() + 1);
    for (const TickNumber &number : scale.numbers) {
        std::string text = numberText(number.value);
        const double advance = measure.advance(text);
        Point first;
        Point second;
        if (horizontal) {
            first.x = second.x = wholePixel(number.centre - advance / 2);
            first.y = wholePixel(tick + ascent);
            second.y = wholePixel(height - tick - lineHeight + ascent);
        } else {
            first.x = int(tick);
            second.x = wholePixel(width - tick - advance);
            first.y = second.y = wholePixel(number.centre - lineHeight / 2 + ascent);
        }
        picture.texts.push_back({text, first, drawing.numbers});
        picture.texts.push_back({std::move(text), second, drawing.numbers});
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
        const double widest = measure.advance(numberText(scale.numbers.back().value));
        const double baselineOffset = ascent - lineHeight / 2;
        for (const double left : {tick, width - tick - widest}) {
            picture.fills.push_back({between(left, from + baselineOffset + ink.top, left + widest,
                                             to + baselineOffset + ink.bottom),
                                     drawing.numbers});
        }
    }
}

} // namespace

Picture layOutPicture(const Scale &scale, const DrawingSettings &drawing, const std::string &hint,
                      Size device, const TextMeasure &measure)
{
    Picture picture;
    picture.device = device;
    const bool horizontal = scale.orientation == ScaleOrientation::Horizontal;
    // The tick bands paint their own background; only the room between them is filled.
    const int bands =
        scale.orientation == ScaleOrientation::None ? 0 : addTickBands(picture, scale, drawing);
    picture.fills.push_back({horizontal ? Rect{0, bands, device.width, device.height - 2 * bands}
                                        : Rect{bands, 0, device.width - 2 * bands, device.height},
                             drawing.background});
    if (scale.orientation != ScaleOrientation::None)
        addNumbers(picture, scale, drawing, measure);

    picture.texts.push_back(
        {hint,
         {wholePixel(device.width / 2.0 - measure.advance(hint) / 2),
          wholePixel(device.height / 2.0 - measure.lineHeight() / 2 + measure.ascent())},
         drawing.hint});
    return picture;
}
