#pragma once

#include <optional>
#include <string>
#include <string_view>

// How the ruler reads numbers out of stored text and writes them back. The
// texts are a settings file's bytes: only ASCII characters count as digits,
// signs and points.
//
// Reading follows the rule every setting shares: the value of the longest
// leading part of the text that reads as a number (optional sign, digits, a
// decimal point, an optional exponent; "&H" starts hexadecimal digits), and 0
// when there is none. A number too large to represent counts as no number, so
// a hand-edited 1e999 falls back like any other junk instead of becoming inf.
namespace NumericText {

double numericValue(std::string_view text);

// The leading number as written: nothing when the text does not begin with
// one, an infinity when it does but is too large to represent.
std::optional<double> leadingNumber(std::string_view text);

// The numeric value brought to the nearest integer, halves to the even
// neighbour (126.5 gives 126, 127.5 gives 128).
double wholeNumber(std::string_view text);

// A double brought into [low, high] and converted; a safe int for any input.
int boundedInt(double value, int low, int high);

// Decimal text of a single-precision number, as lengths and positions are
// stored: the shortest text that reads back as the same float ("9780").
std::string singleText(double value);

// Decimal text of a double in its shortest form of at most 15 significant
// digits, with "." and a leading zero ("0.905", "180", "-0.05").
std::string doubleText(double value);

// The value with exactly `decimals` decimals, rounded as its decimal text
// reads, halves away from zero: 1.005 gives "1.01" and 0.125 gives "0.13".
std::string fixedText(double value, int decimals);

// The value of one hexadecimal digit of either case, or -1.
int hexDigitValue(char c);

} // namespace NumericText
