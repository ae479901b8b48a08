// The numeric reading of settings text, and the texts the ruler writes
// numbers as.
//
// Input: any bytes, read as text three ways (UTF-8, Latin-1, UTF-16). The
// first eight bytes are also a double, whose text, written in every form a
// person or the ruler might use, must read back as that number; byte 8
// chooses what follows the number and bytes 9 and 10 an exponent of ten.
//
// Properties:
// - any text reads as a finite number: its leading number, or 0 when it has
//   none or one too large to represent;
// - what follows the leading number does not change it;
// - the whole number is the nearest integer, halves going to the even one;
// - the text of a number reads back as exactly that number, the sign of
//   zero included, with or without "+", in any exponent letter and with
//   anything after it; "&H" and hexadecimal digits read as that integer;
// - a decimal mantissa with any exponent reads as the C library reads it,
//   or as 0 where that is too large to represent;
// - what the ruler writes reads back as what it wrote: the single-precision
//   text as the same float, the double-precision text as the C library
//   reads it (or 0, where its fifteen digits round past the largest double).
#include "core/settings/numeric_text.h"
#include "fuzz_support.h"

#include <QString>

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

using namespace NumericText;

namespace {

bool sameNumber(double a, double b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

QString shown(const QString &text)
{
    return QStringLiteral("text \"%1\"").arg(text.left(200));
}

void checkAnyText(const QString &text)
{
    const std::string bytes = text.toStdString();
    const double value = numericValue(bytes);
    if (!std::isfinite(value))
        Fuzz::fail("any text reads as a finite number", shown(text));
    const std::optional<double> leading = leadingNumber(bytes);
    const double expected = leading && std::isfinite(*leading) ? *leading : 0.0;
    if (!sameNumber(value, expected))
        Fuzz::fail("the value is the leading number, or 0", shown(text));
    // "x" can neither start nor continue a number, nor a hexadecimal one.
    if (!sameNumber(numericValue(bytes + 'x'), value))
        Fuzz::fail("what follows the leading number does not change it", shown(text));

    const double whole = wholeNumber(bytes);
    const double distance = std::abs(whole - value);
    const bool even = std::fmod(whole, 2.0) == 0;
    if (whole != std::floor(whole) || distance > 0.5 || (distance == 0.5 && !even))
        Fuzz::fail("the whole number is the nearest integer, halves to even", shown(text));
    const int bounded = boundedInt(whole, 0, 255);
    if (bounded < 0 || bounded > 255)
        Fuzz::fail("a bounded integer stays in its bounds", shown(text));
}

std::string chars(double value, std::chars_format format, std::optional<int> precision = {})
{
    std::array<char, 400> buffer{};
    const auto result =
        precision
            ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, *precision)
            : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format);
    if (result.ec != std::errc())
        Fuzz::fail("the fuzzer's own number text fits its buffer");
    return std::string(buffer.data(), result.ptr);
}

// What may follow a number in a hand-edited file without being part of it;
// after hexadecimal digits, what is no such digit.
constexpr std::array<const char *, 8> tails{"", "x", " 5", "e", "E+", "d-", ";1", "\t&H1"};
constexpr std::array<const char *, 6> hexadecimalTails{"", "x", " 5", "g", ";1", "\t&H1"};

void checkNumberTexts(double number, unsigned char choice)
{
    if (!std::isfinite(number)) {
        const QString text = QString::fromStdString(chars(number, std::chars_format::general));
        if (!sameNumber(numericValue(text.toStdString()), 0.0))
            Fuzz::fail("\"inf\" and \"nan\" are no numbers", shown(text));
        return;
    }
    std::string scientific = chars(number, std::chars_format::scientific);
    std::string basicExponent = scientific;
    basicExponent[basicExponent.find('e')] = (choice & 1) ? 'D' : 'd';
    std::string upperExponent = scientific;
    upperExponent[upperExponent.find('e')] = 'E';
    const std::array<std::string, 6> forms{
        chars(number, std::chars_format::general),
        chars(number, std::chars_format::general, 17),
        chars(number, std::chars_format::fixed),
        scientific,
        basicExponent,
        upperExponent,
    };
    const char *tail = tails[choice % tails.size()];
    for (std::string form : forms) {
        if ((choice & 0x80) && !std::signbit(number))
            form.insert(0, "+");
        const QString text = QString::fromStdString(form + tail);
        if (!sameNumber(numericValue(text.toStdString()), number))
            Fuzz::fail("the text of a number reads back as that number", shown(text));
    }

    constexpr double exactIntegers = 9007199254740992.0; // 2^53
    if (number >= 0 && number <= exactIntegers && number == std::floor(number)) {
        const QString digits = QString::number(qint64(number), 16);
        const QString text = ((choice & 2) ? QStringLiteral("&h") + digits
                                           : QStringLiteral("&H") + digits.toUpper()) +
                             QLatin1String(hexadecimalTails[choice % hexadecimalTails.size()]);
        if (numericValue(text.toStdString()) != number)
            Fuzz::fail("\"&H\" and hexadecimal digits read as that integer", shown(text));
    }

    const float single = static_cast<float>(number);
    if (std::isfinite(single)) {
        const QString text = QString::fromStdString(singleText(number));
        if (static_cast<float>(numericValue(text.toStdString())) != single)
            Fuzz::fail("the single-precision text reads back as the same float", shown(text));
    }
    // Fifteen digits can round past the largest double: such a text is too large.
    const QString doubleForm = QString::fromStdString(doubleText(number));
    const double library = std::strtod(doubleForm.toLatin1().constData(), nullptr);
    if (!sameNumber(numericValue(doubleForm.toStdString()), std::isfinite(library) ? library : 0.0))
        Fuzz::fail("the double-precision text reads as the C library reads it, or 0",
                   shown(doubleForm));
}

void checkExponent(double number, int exponent)
{
    if (!std::isfinite(number))
        return;
    std::string mantissa = chars(number, std::chars_format::scientific);
    mantissa.erase(mantissa.find('e'));
    const std::string text = mantissa + 'e' + std::to_string(exponent);
    const double library = std::strtod(text.c_str(), nullptr);
    const double expected = std::isfinite(library) ? library : 0.0;
    if (!sameNumber(numericValue(text), expected))
        Fuzz::fail("a mantissa with any exponent reads as the C library reads it, or 0",
                   shown(QString::fromStdString(text)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::checkEveryReading(data, size, checkAnyText);

    if (size >= 8) {
        double number = 0;
        std::memcpy(&number, data, sizeof number);
        checkNumberTexts(number, size > 8 ? data[8] : 0);
        if (size >= 11)
            checkExponent(number, int(int16_t(data[9] | data[10] << 8)));
    }
    return 0;
}
