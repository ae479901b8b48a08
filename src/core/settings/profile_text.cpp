#include "profile_text.h"

#include <algorithm>

namespace ProfileText {
namespace {

constexpr std::string_view byteOrderMark("\xEF\xBB\xBF");

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

// One line of the text: [begin, contentEnd) is its content, [contentEnd, end)
// its line end ("\r\n", "\n", "\r" or nothing at the end of the text).
struct Line
{
    size_t begin = 0;
    size_t contentEnd = 0;
    size_t end = 0;
};

// Where a key stands and where a new one would go, as found by locate().
struct Location
{
    std::optional<Line> keyLine;
    size_t valueBegin = 0; // just after the "=" of keyLine
    bool sectionFound = false;
    Line lastLineOfSection; // last non-blank line of the first matching section
};

Line nextLine(std::string_view text, size_t begin)
{
    size_t i = begin;
    while (i < text.size() && text[i] != '\n' && text[i] != '\r')
        ++i;
    Line line{begin, i, i};
    if (i < text.size()) {
        line.end = (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? i + 2 : i + 1;
    }
    return line;
}

Location locate(std::string_view text, std::string_view section, std::string_view key)
{
    Location found;
    bool inMatchingSection = false;
    bool inFirstMatchingSection = false;
    size_t position = text.starts_with(byteOrderMark) ? byteOrderMark.size() : 0;
    while (position < text.size()) {
        const Line line = nextLine(text, position);
        position = line.end;
        const std::string_view content =
            trimmed(text.substr(line.begin, line.contentEnd - line.begin));
        if (content.empty())
            continue;
        if (content.front() == '[') {
            const size_t close = std::min(content.find(']'), content.size());
            inMatchingSection = sameName(trimmed(content.substr(1, close - 1)), section);
            inFirstMatchingSection = inMatchingSection && !found.sectionFound;
            if (inFirstMatchingSection) {
                found.sectionFound = true;
                found.lastLineOfSection = line;
            }
            continue;
        }
        if (inFirstMatchingSection)
            found.lastLineOfSection = line;
        if (!inMatchingSection || found.keyLine || content.front() == ';' || content.front() == '#')
            continue;
        const size_t equals = content.find('=');
        if (equals == std::string_view::npos || !sameName(trimmed(content.substr(0, equals)), key))
            continue;
        found.keyLine = line;
        found.valueBegin = text.find('=', line.begin) + 1;
    }
    return found;
}

std::string_view lineEndOf(std::string_view text, std::string_view fallback)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            return "\n";
        if (text[i] == '\r')
            return (i + 1 < text.size() && text[i + 1] == '\n') ? "\r\n" : "\r";
    }
    return fallback;
}

bool contains(std::string_view text, char c)
{
    return text.find(c) != std::string_view::npos;
}

bool hasLineBreakOrNul(std::string_view text)
{
    return contains(text, '\n') || contains(text, '\r') || contains(text, '\0');
}

bool isName(std::string_view name)
{
    return !name.empty() && trimmed(name).size() == name.size() && !hasLineBreakOrNul(name);
}

} // namespace

std::optional<std::string> value(std::string_view text, std::string_view section,
                                 std::string_view key)
{
    const Location found = locate(text, section, key);
    if (!found.keyLine)
        return std::nullopt;
    return std::string(
        trimmed(text.substr(found.valueBegin, found.keyLine->contentEnd - found.valueBegin)));
}

bool canStore(std::string_view section, std::string_view key, std::string_view value)
{
    const bool sectionOk = isName(section) && !contains(section, ']');
    const bool keyOk = isName(key) && !contains(key, '=') && key.front() != '[' &&
                       key.front() != ';' && key.front() != '#';
    const bool valueOk = !contains(value, '\n') && !contains(value, '\r');
    return sectionOk && keyOk && valueOk;
}

std::string withValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value, std::string_view newFileLineEnd)
{
    const Location found = locate(text, section, key);
    const std::string_view lineEnd = lineEndOf(text, newFileLineEnd);
    std::string result;
    result.reserve(text.size() + section.size() + key.size() + value.size() + 8);

    if (found.keyLine) {
        result.append(text.substr(0, found.valueBegin));
        result.append(value);
        result.append(text.substr(found.keyLine->contentEnd));
        return result;
    }

    std::string keyLine(key);
    keyLine.append("=").append(value);
    if (found.sectionFound) {
        const Line &last = found.lastLineOfSection;
        const bool lastHasEnd = last.end > last.contentEnd;
        // The new line ends as the line before it: that end is never joined by
        // what follows, while a lone "\r" before the "\n" of a blank line would
        // read as one "\r\n" and swallow that line.
        const std::string_view keyLineEnd =
            lastHasEnd ? text.substr(last.contentEnd, last.end - last.contentEnd) : lineEnd;
        result.append(text.substr(0, last.end));
        if (!lastHasEnd) // the section ends the text without a line end
            result.append(lineEnd);
        result.append(keyLine).append(keyLineEnd);
        result.append(text.substr(last.end));
        return result;
    }

    result.append(text);
    const bool onlyMark = text == byteOrderMark;
    if (!text.empty() && !onlyMark && text.back() != '\n' && text.back() != '\r')
        result.append(lineEnd);
    result.append("[").append(section).append("]").append(lineEnd);
    result.append(keyLine).append(lineEnd);
    return result;
}

} // namespace ProfileText
