#include "ini_lines.h"

namespace IniLines {

QList<Line> split(const QByteArray &text)
{
    QList<Line> lines;
    qsizetype begin = 0;
    while (begin < text.size()) {
        qsizetype end = begin;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        Line line{text.sliced(begin, end - begin), {}};
        if (end < text.size()) {
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            line.end = text.sliced(end, crlf ? 2 : 1);
        }
        begin = end + line.end.size();
        lines.append(line);
    }
    return lines;
}

QByteArray withoutBlanksAround(const QByteArray &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return text.sliced(begin, end - begin);
}

bool sameName(const QByteArray &a, const QByteArray &b)
{
    return a.toLower() == b.toLower(); // QByteArray::toLower changes ASCII letters only
}

std::optional<QByteArray> sectionOf(const Line &line)
{
    const QByteArray content = withoutBlanksAround(line.content);
    if (!content.startsWith('['))
        return std::nullopt;
    const qsizetype close = content.indexOf(']');
    return withoutBlanksAround(content.sliced(1, (close < 0 ? content.size() : close) - 1));
}

} // namespace IniLines
