#include "settings_lines.h"

#include "ini_lines.h"

#include <QList>
#include <QSet>

#include <optional>

namespace SettingsLines {
namespace {

using IniLines::byteOrderMark;
using IniLines::Line;
using IniLines::sameName;
using IniLines::sectionOf;
using IniLines::withoutBlanksAround;

// The key a key line names, or nothing for a comment, a header or a line without "=".
std::optional<QByteArray> keyOf(const Line &line)
{
    const QByteArray content = withoutBlanksAround(line.content);
    const qsizetype equals = content.indexOf('=');
    if (content.isEmpty() || equals < 0 || content.front() == ';' || content.front() == '#' ||
        content.front() == '[')
        return std::nullopt;
    return withoutBlanksAround(content.first(equals));
}

// The lines the ruler may have written: the first line of each written key
// within a section General and, where asked, the first header of General.
QSet<qsizetype> writtenLines(const QList<Line> &lines, const QList<QByteArray> &keys,
                             bool headerIsNew)
{
    QSet<qsizetype> written;
    QList<QByteArray> seen;
    bool inGeneral = false;
    bool headerSeen = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const std::optional<QByteArray> section = sectionOf(lines[i])) {
            inGeneral = sameName(*section, "General");
            if (inGeneral && headerIsNew && !headerSeen)
                written.insert(i);
            headerSeen = headerSeen || inGeneral;
            continue;
        }
        const std::optional<QByteArray> key = keyOf(lines[i]);
        if (!inGeneral || !key)
            continue;
        for (const QByteArray &writtenKey : keys) {
            if (sameName(*key, writtenKey) && !seen.contains(writtenKey.toLower())) {
                seen.append(writtenKey.toLower());
                written.insert(i);
            }
        }
    }
    return written;
}

bool hasGeneralSection(const QList<Line> &lines)
{
    for (const Line &line : lines) {
        const std::optional<QByteArray> section = sectionOf(line);
        if (section && sameName(*section, "General"))
            return true;
    }
    return false;
}

QList<Line> without(const QList<Line> &lines, const QSet<qsizetype> &indexes)
{
    QList<Line> kept;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!indexes.contains(i))
            kept.append(lines[i]);
    }
    return kept;
}

QString shown(const Line &line)
{
    return QString::fromLatin1((line.content + line.end).toPercentEncoding(" =[];#"));
}

} // namespace

QString firstChangedLine(const QByteArray &before, const QByteArray &after,
                         const QStringList &writtenKeys)
{
    if (before.startsWith(byteOrderMark) != after.startsWith(byteOrderMark))
        return QStringLiteral("the byte-order mark");
    const qsizetype mark = before.startsWith(byteOrderMark) ? byteOrderMark.size() : 0;
    const QList<Line> beforeLines = IniLines::split(before.sliced(mark));
    const QList<Line> afterLines = IniLines::split(after.sliced(mark));

    QList<QByteArray> keys;
    for (const QString &key : writtenKeys)
        keys.append(key.toLatin1());
    const bool headerIsNew = !hasGeneralSection(beforeLines);
    const QList<Line> kept = without(beforeLines, writtenLines(beforeLines, keys, false));
    const QList<Line> keptAfter = without(afterLines, writtenLines(afterLines, keys, headerIsNew));

    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (i >= keptAfter.size())
            return QStringLiteral("line %1 is gone: %2").arg(i + 1).arg(shown(kept[i]));
        const bool lastWithoutEnd = i == kept.size() - 1 && kept[i].end.isEmpty();
        if (kept[i].content != keptAfter[i].content ||
            (kept[i].end != keptAfter[i].end && !lastWithoutEnd))
            return QStringLiteral("line %1: %2 became %3")
                .arg(i + 1)
                .arg(shown(kept[i]), shown(keptAfter[i]));
    }
    if (keptAfter.size() > kept.size())
        return QStringLiteral("a line was added: %1").arg(shown(keptAfter[kept.size()]));

    QSet<QByteArray> ends;
    for (const Line &line : beforeLines)
        ends.insert(line.end);
    ends.remove(QByteArray());
    if (ends.isEmpty())
        ends.insert("\n");
    for (const Line &line : afterLines) {
        if (!line.end.isEmpty() && !ends.contains(line.end))
            return QStringLiteral("a line end the file did not use: %1").arg(shown(line));
    }
    return QString();
}

} // namespace SettingsLines
