#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The ruler's scale as numbers, apart from any painting: where every tick
// stands, of which class, and which numbers go beside the big ticks.
//
// Positions are in device pixels, counted along the scale from the window's
// left edge (horizontal) or top edge (vertical). A tick occupies the one device
// pixel that contains its exact position, so a tick at 37.8 px lights pixel 37,
// whose centre is the nearest to 37.8.
//
// The ticks are given as they show once all of them are painted in order,
// by the rows they reach into: every tick reaches over a small tick's length,
// mid and big ticks over a mid tick's, big ticks alone over a big tick's. For
// each class, at every pixel that ticks of at least that class fall on, the
// last of them painted there: the very last tick, the last mid-or-big one and
// the last big one. That is all a repaint needs, and it bounds the work by the
// ruler's length in device pixels, whatever the calibration value, where ticks
// stand closer than a device pixel. Where the numbers stand closer than a
// device pixel, only the first and the last are listed and the band between
// them is reported, which every number's ink would fill.

enum class TickClass : unsigned char
{
    Small,
    Mid,
    Big,
};

enum class ScaleOrientation
{
    Horizontal,
    Vertical,
    None, // a Direction other than 0 and 90: background and hint only
};

struct ScaleInput
{
    int unitCode = 6;       // 3 pixels, 5 inches, anything else millimetres
    bool physical = false;  // the physical scale applies the calibration value
    double calibration = 1; // real length / nominal length; 0 counts as 1
    double direction = 0;   // whole number: 0 horizontal, 90 vertical
    int lengthPixels = 0;   // the window's extent along the scale, device pixels
    double logicalDpi = 96; // logical pixels per inch of the ruler's screen
    double devicePixelRatio = 1;
};

struct Tick
{
    int position; // device pixel along the scale; may lie just beyond the far edge
    TickClass tickClass;
};

struct TickNumber
{
    double centre; // device pixels along the scale: the centre of its tick's pixel
    double value;  // counter / counter values per unit: 100, 1, 10 ...
};

struct NumberBand
{
    double fromCentre;
    double toCentre;
};

struct Scale
{
    ScaleOrientation orientation = ScaleOrientation::Horizontal;
    std::array<int, 3> tickPixels{}; // length of each class in device pixels
    // By TickClass: the ticks that show over the rows that ticks of at least
    // that class reach into, in order along the scale, one per pixel at most.
    std::array<std::vector<Tick>, 3> shownTicks;
    std::vector<TickNumber> numbers; // in painting order
    std::optional<NumberBand> numberBand;
};

ScaleOrientation orientationOf(double direction);

Scale computeScale(const ScaleInput &input);

// The upper bound on ticks, the three classes' together, and numbers for a
// ruler of the given length.
std::size_t maxTicks(int lengthPixels);
std::size_t maxNumbers(int lengthPixels);

// The number printed beside a big tick: digits only ("170"), and the shortest
// general form for values past what digits can show exactly. UTF-8, as
// every text of the core.
std::string numberText(double value);

// The unit hint in the middle: "毫米", and on the physical scale with the
// calibration value in two decimals: "毫米(r=0.90)".
std::string unitHint(int unitCode, bool physical, double calibration);
