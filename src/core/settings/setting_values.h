#pragma once

#include <string>
#include <string_view>

// How stored texts are turned into the choices they stand for. Readers of one
// key do not all agree (the layout compares Direction as text, the drawing
// reads it as a number); each reading lives here once, under its own name.

namespace UnitCode {
inline constexpr int Pixels = 3;
inline constexpr int Inches = 5;
inline constexpr int Millimeters = 6;
} // namespace UnitCode

// ScaleMode: exactly "Pixels" is 3, exactly "Inches" is 5, anything else 6.
int unitCodeOf(std::string_view scaleModeText);

// ScaleMode as the index of its menu item: "Pixels" 1, "Inches" 2, else 3.
int unitIndexOf(std::string_view scaleModeText);

// The unit command's choice for a menu index: 1 pixels, 2 inches, else mm.
int unitCodeForIndex(int index);
std::string scaleModeTextForIndex(int index);

// "True" in any letter case; the booleans are stored as "True" or "False".
bool isTrueText(std::string_view text);
std::string booleanText(bool value);

// The layout's reading of Direction: vertical exactly when the text is "90".
bool isVerticalText(std::string_view directionText);

// Transparent: empty is 255; otherwise its whole number, brought into 0..255.
int opacityOf(std::string_view transparentText);

// Revision: the calibration value, or 0 for a ruler that is not calibrated.
// Only a positive finite ratio calibrates: a negative one (a negative length
// typed into the calibration box) would draw no tick and no number at all.
double calibrationOf(std::string_view revisionText);
