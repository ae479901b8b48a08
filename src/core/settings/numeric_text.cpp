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

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::optional<double> hexValue(std::string_view digits)
{
    double value = 0;
    size_t count = 0;
    for (char c : digits) {
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
size_t decimalPrefixLength(std::string_view text, size_t start)
{
    size_t i = start;
    const size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    // An exponent counts only when at least one digit follows it: "1e" reads as 1.
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
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

double decimalValue(std::string_view number)
{
    std::string ascii;
    ascii.reserve(number.size());
    for (const char a : number) {
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

std::optional<double> leadingNumber(std::string_view text)
{
    size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == u'\t' ||
                                   text[start] == u'\r' || text[start] == u'\n'))
        ++start;
    const std::string_view rest = text.substr(start);
    if (rest.size() >= 2 && rest[0] == '&' && (rest[1] == 'H' || rest[1] == 'h'))
        return hexValue(rest.substr(2));
    const size_t length = decimalPrefixLength(text, start);
    if (length == 0)
        return std::nullopt;
    return decimalValue(text.substr(start, length));
}

double numericValue(std::string_view text)
{
    const std::optional<double> number = leadingNumber(text);
    return number && std::isfinite(*number) ? *number : 0.0;
}

double wholeNumber(std::string_view text)
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

std::string singleText(double value)
{
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<float>(value));
    return std::string(buffer.data(), result.ptr);
}

std::string doubleText(double value)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    return std::string(buffer.data(), result.ptr);
}

std::string fixedText(double value, int decimals)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    decimals = std::max(decimals, 0);
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
    return digits;
}

int hexDigitValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace NumericText
