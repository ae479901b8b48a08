#include "numeric_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace NumericText {
namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int hexDigitValue(QChar c)
{
    if (isDigit(c))
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

std::optional<double> hexValue(QStringView digits)
{
    double value = 0;
    qsizetype count = 0;
    for (QChar c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            break;
        value = value * 16 + digit;
        ++count;
    }
    if (count == 0)
        return std::nullopt;
    return value;
}

// Length of the longest prefix of text (from position start) that forms a
// decimal number; 0 when there is none.
qsizetype decimalPrefixLength(QStringView text, qsizetype start)
{
    qsizetype i = start;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    // An exponent counts only when at least one digit follows it: "1e" reads as 1.
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i - start;
}

// Whether a decimal number that a double cannot hold is too large rather
// than too small: its order of magnitude is that of its first significant
// digit ("123.4" 3, "0.005" -2) plus its exponent.
bool isTooLarge(std::string_view ascii)
{
    long long order = 0;
    bool point = false;
    bool significant = false;
    size_t i = 0;
    for (; i < ascii.size() && ascii[i] != 'e'; ++i) {
        const char c = ascii[i];
        if (c == '-')
            continue;
        if (c == '.') {
            point = true;
            continue;
        }
        significant = significant || c != '0';
        if (!point && significant)
            ++order;
        else if (point && !significant)
            --order;
    }
    long long exponent = 0;
    const bool negativeExponent = i + 1 < ascii.size() && ascii[i + 1] == '-';
    for (++i; i < ascii.size(); ++i) {
        if (ascii[i] >= '0' && ascii[i] <= '9')
            exponent = std::min(exponent * 10 + (ascii[i] - '0'), 1'000'000'000LL);
    }
    return order + (negativeExponent ? -exponent : exponent) > 0;
}

double decimalValue(QStringView number)
{
    std::string ascii;
    ascii.reserve(size_t(number.size()));
    for (QChar c : number) {
        const char a = char(c.unicode());
        if (a == '+')
            continue; // from_chars takes no plus sign
        ascii.push_back(a == 'd' || a == 'D' ? 'e' : a);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc::result_out_of_range)
        return value;
    const bool negative = ascii.front() == '-';
    if (!isTooLarge(ascii))
        return negative ? -0.0 : 0.0;
    constexpr double infinity = std::numeric_limits<double>::infinity();
    return negative ? -infinity : infinity;
}

} // namespace

std::optional<double> leadingNumber(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && (text[start] == u' ' || text[start] == u'\t' ||
                                   text[start] == u'\r' || text[start] == u'\n'))
        ++start;
    const QStringView rest = text.mid(start);
    if (rest.size() >= 2 && rest[0] == u'&' && (rest[1] == u'H' || rest[1] == u'h'))
        return hexValue(rest.mid(2));
    const qsizetype length = decimalPrefixLength(text, start);
    if (length == 0)
        return std::nullopt;
    return decimalValue(text.mid(start, length));
}

double numericValue(QStringView text)
{
    const std::optional<double> number = leadingNumber(text);
    return number && std::isfinite(*number) ? *number : 0.0;
}

double wholeNumber(QStringView text)
{
    // rint rounds in the current rounding mode, which is to nearest, ties to even.
    return std::rint(numericValue(text));
}

int boundedInt(double value, int low, int high)
{
    if (std::isnan(value))
        return low;
    return int(std::clamp(value, double(low), double(high)));
}

QString singleText(double value)
{
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<float>(value));
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

QString doubleText(double value)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

QString fixedText(double value, int decimals)
{
    if (!std::isfinite(value) || decimals < 0)
        return QString::number(value, 'f', std::max(decimals, 0));
    // The shortest text that reads back as the value is its decimal form as
    // written: 1.005 is "1.005" here, though the nearest double lies below it.
    // The smallest double takes 1074 decimals and the largest 309 digits.
    std::array<char, 1100> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed);
    std::string_view text(buffer.data(), size_t(written.ptr - buffer.data()));
    const bool negative = text.starts_with('-');
    if (negative)
        text.remove_prefix(1);
    const size_t point = std::min(text.find('.'), text.size());
    std::string digits(text.substr(0, point));
    std::string fraction(point < text.size() ? text.substr(point + 1) : std::string_view());
    fraction.resize(std::max(fraction.size(), size_t(decimals) + 1), '0');
    digits += fraction.substr(0, size_t(decimals));

    // A half goes away from zero, whatever follows it.
    if (fraction[size_t(decimals)] >= '5') {
        size_t at = digits.size();
        while (at > 0 && digits[at - 1] == '9')
            digits[--at] = '0';
        if (at == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[at - 1];
    }
    if (decimals > 0)
        digits.insert(digits.size() - size_t(decimals), 1, '.');
    const bool zero = digits.find_first_not_of("0.") == std::string::npos;
    if (negative && !zero)
        digits.insert(digits.begin(), '-');
    return QString::fromLatin1(digits.data(), qsizetype(digits.size()));
}

} // namespace NumericText
