#include "profile_text.h"

namespace ProfileText {
namespace {

constexpr QByteArrayView byteOrderMark("\xEF\xBB\xBF");

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

// One line of the text: [begin, contentEnd) is its content, [contentEnd, end)
// its line end ("\r\n", "\n", "\r" or nothing at the end of the text).
struct Line
{
    qsizetype begin = 0;
    qsizetype contentEnd = 0;
    qsizetype end = 0;
};

// Where a key stands and where a new one would go, as found by locate().
struct Location
{
    std::optional<Line> keyLine;
    qsizetype valueBegin = 0; // just after the "=" of keyLine
    bool sectionFound = false;
    Line lastLineOfSection; // last non-blank line of the first matching section
};

Line nextLine(QByteArrayView text, qsizetype begin)
{
    qsizetype i = begin;
    while (i < text.size() && text[i] != '\n' && text[i] != '\r')
        ++i;
    Line line{begin, i, i};
    if (i < text.size()) {
        line.end = (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? i + 2 : i + 1;
    }
    return line;
}

Location locate(QByteArrayView text, QByteArrayView section, QByteArrayView key)
{
    Location found;
    bool inMatchingSection = false;
    bool inFirstMatchingSection = false;
    qsizetype position = text.startsWith(byteOrderMark) ? byteOrderMark.size() : 0;
    while (position < text.size()) {
        const Line line = nextLine(text, position);
        position = line.end;
        const QByteArrayView content =
            trimmed(text.sliced(line.begin, line.contentEnd - line.begin));
        if (content.isEmpty())
            continue;
        if (content.front() == '[') {
            qsizetype close = content.indexOf(']');
            if (close < 0)
                close = content.size();
            inMatchingSection = sameName(trimmed(content.sliced(1, close - 1)), section);
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
        const qsizetype equals = content.indexOf('=');
        if (equals < 0 || !sameName(trimmed(content.first(equals)), key))
            continue;
        found.keyLine = line;
        found.valueBegin = text.sliced(line.begin).indexOf('=') + line.begin + 1;
    }
    return found;
}

QByteArrayView lineEndOf(QByteArrayView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            return "\n";
        if (text[i] == '\r')
            return (i + 1 < text.size() && text[i + 1] == '\n') ? "\r\n" : "\r";
    }
#ifdef Q_OS_WIN
    return "\r\n";
#else
    return "\n";
#endif
}

bool hasLineBreakOrNul(QByteArrayView text)
{
    return text.contains('\n') || text.contains('\r') || text.contains('\0');
}

bool isName(QByteArrayView name)
{
    return !name.isEmpty() && trimmed(name).size() == name.size() && !hasLineBreakOrNul(name);
}

} // namespace

std::optional<QByteArray> value(QByteArrayView text, QByteArrayView section, QByteArrayView key)
{
    const Location found = locate(text, section, key);
    if (!found.keyLine)
        return std::nullopt;
    return trimmed(text.sliced(found.valueBegin, found.keyLine->contentEnd - found.valueBegin))
        .toByteArray();
}

bool canStore(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    const bool sectionOk = isName(section) && !section.contains(']');
    const bool keyOk = isName(key) && !key.contains('=') && key.front() != '[' &&
                       key.front() != ';' && key.front() != '#';
    const bool valueOk = !value.contains('\n') && !value.contains('\r');
    return sectionOk && keyOk && valueOk;
}

QByteArray withValue(QByteArrayView text, QByteArrayView section, QByteArrayView key,
                     QByteArrayView value)
{
    const Location found = locate(text, section, key);
    const QByteArrayView lineEnd = lineEndOf(text);
    QByteArray result;
    result.reserve(text.size() + section.size() + key.size() + value.size() + 8);

    if (found.keyLine) {
        result.append(text.first(found.valueBegin));
        result.append(value);
        result.append(text.sliced(found.keyLine->contentEnd));
        return result;
    }

    QByteArray keyLine = key.toByteArray();
    keyLine.append('=').append(value);
    if (found.sectionFound) {
        const Line &last = found.lastLineOfSection;
        const bool lastHasEnd = last.end > last.contentEnd;
        // The new line ends as the line before it: that end is never joined by
        // what follows, while a lone "\r" before the "\n" of a blank line would
        // read as one "\r\n" and swallow that line.
        const QByteArrayView keyLineEnd =
            lastHasEnd ? text.sliced(last.contentEnd, last.end - last.contentEnd) : lineEnd;
        result.append(text.first(last.end));
        if (!lastHasEnd) // the section ends the text without a line end
            result.append(lineEnd);
        result.append(keyLine).append(keyLineEnd);
        result.append(text.sliced(last.end));
        return result;
    }

    result.append(text);
    const bool onlyMark = text == byteOrderMark;
    if (!text.isEmpty() && !onlyMark && text.back() != '\n' && text.back() != '\r')
        result.append(lineEnd);
    result.append('[').append(section).append(']').append(lineEnd);
    result.append(keyLine).append(lineEnd);
    return result;
}

} // namespace ProfileText
