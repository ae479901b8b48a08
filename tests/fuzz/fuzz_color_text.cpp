// ParseColorText on any text, and colour values through their text.
//
// Input: any bytes, read as text three ways (UTF-8, Latin-1, UTF-16); the
// first three bytes are also a colour value's red, green and blue.
//
// Properties:
// - a text is a colour exactly when it is "#" and six ASCII hexadecimal
//   digits of either case; its value is red + 256 * green + 65536 * blue,
//   the pairs read in that order, and its colour text is the text in upper
//   case; anything else gives -1;
// - the colour text of any colour value, in either case, parses back to
//   that value, and the value survives the trip through QRgb.
#include "core/settings/color_text.h"
#include "fuzz_support.h"
#include "ruler/color_value_rgb.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

int hexDigitValue(QChar c)
{
    const QString digits = QStringLiteral("0123456789ABCDEF");
    const qsizetype upper = digits.indexOf(c.toUpper());
    return c.unicode() < 128 ? int(upper) : -1;
}

void checkText(const QString &text)
{
    const std::int32_t parsed = ParseColorText(text.toStdString());
    bool colour = text.size() == 7 && text[0] == u'#';
    std::int32_t expected = 0;
    for (qsizetype pair = 0; colour && pair < 3; ++pair) {
        const int high = hexDigitValue(text[1 + 2 * pair]);
        const int low = hexDigitValue(text[2 + 2 * pair]);
        colour = high >= 0 && low >= 0;
        expected += (high * 16 + low) << (8 * pair);
    }
    const auto shown = [&] {
        return QStringLiteral("text \"%1\", parsed %2")
            .arg(text.left(20))
            .arg(parsed)
            .toStdString();
    };
    if (!colour) {
        Fuzz::require(parsed == -1, "a text that is no colour text gives -1", shown);
        return;
    }
    Fuzz::require(parsed == expected, "a colour text gives red + 256 green + 65536 blue", shown);
    Fuzz::require(QString::fromStdString(colorText(parsed)) == text.toUpper(),
                  "a colour text is the value's colour text in either case", shown);
}

void checkValue(std::int32_t value)
{
    const QString text = QString::fromStdString(colorText(value));
    const auto shown = [&] {
        return QStringLiteral("value %1, text \"%2\"").arg(value).arg(text).toStdString();
    };
    Fuzz::require(ParseColorText(text.toStdString()) == value, "a value's colour text parses back",
                  shown);
    Fuzz::require(ParseColorText(text.toLower().toStdString()) == value,
                  "a value's colour text in lower case parses back", shown);
    Fuzz::require(colorValueFromRgb(rgbFromColorValue(value)) == value,
                  "a value survives the trip through QRgb", shown);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::checkEveryReading(data, size, checkText);
    if (size >= 3)
        checkValue(data[0] + 256 * data[1] + 65536 * data[2]);
    return 0;
}
