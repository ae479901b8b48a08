#include "color_text.h"

#include "numeric_text.h"

std::int32_t ParseColorText(std::string_view text)
{
    if (text.size() != 7 || text[0] != '#')
        return -1;
    std::int32_t rgbDigits = 0; // 0xRRGGBB as written
    for (size_t i = 1; i < 7; ++i) {
        const int digit = NumericText::hexDigitValue(text[i]);
        if (digit < 0)
            return -1;
        rgbDigits = rgbDigits * 16 + digit;
    }
    const std::int32_t red = (rgbDigits >> 16) & 0xFF;
    const std::int32_t green = (rgbDigits >> 8) & 0xFF;
    const std::int32_t blue = rgbDigits & 0xFF;
    return red + 256 * green + 65536 * blue;
}

std::string colorText(std::int32_t colorValue)
{
    constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (const int shift : {0, 8, 16}) { // red, green, blue
        const int channel = (colorValue >> shift) & 0xFF;
        text += digits[channel >> 4];
        text += digits[channel & 0xF];
    }
    return text;
}
