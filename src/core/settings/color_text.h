#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A colour value is red + 256 * green + 65536 * blue with the top byte 0; its
// text form, colour text, is "#RRGGBB". Both forms are what ruler.ini stores
// and what users type, so they are kept exactly, independent of any window
// system's colour type.

// The colour value of a valid colour text (exactly seven characters, "#" and
// six hexadecimal digits of either case), or -1.
std::int32_t ParseColorText(std::string_view text);

// The colour text of a colour value, with upper-case digits ("#00000A").
std::string colorText(std::int32_t colorValue);
