// ReadIniValue and WriteIniValue on a real file of any bytes, with any
// section, key and value.
//
// Input: four texts, then the file. The texts are the section, the key, the
// value and a second key, each ended by a backslash and one more byte (two
// backslashes stand for one); the seeds end each text with a backslash and a
// line break. Whatever follows is the file's bytes; nothing at all there
// means that there is no file.
//
// Properties:
// - a section, key or value that cannot stand on one line (as the profile
//   text module defines it) is refused and the file stays as it was;
// - otherwise the write succeeds, and reading the key gives the value with
//   the blanks and tabs around it dropped, cut to at most 999 bytes of UTF-8
//   at a character boundary, with every space and NUL removed;
// - the write changes only the value of the key's line, or adds that line
//   (and the section's header at the end, where the section is missing);
//   every other line stays byte for byte, line ends and byte-order mark
//   included;
// - any other key reads as it did before.
#include "core/settings/profile_file.h"
#include "fuzz_support.h"
#include "platform/posix/posix_file_system.h"
#include "support/ini_lines.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using IniLines::byteOrderMark;
using IniLines::Line;
using IniLines::sameName;
using IniLines::sectionOf;
using IniLines::withoutBlanksAround;

// The file lives in memory where the system offers a tmpfs: the fuzzer
// writes it tens of thousands of times a second.
const QString &settingsPath()
{
    static const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static const QTemporaryDir folder(QDir(base).filePath(QStringLiteral("ruler-fuzz-XXXXXX")));
    static const QString path = folder.filePath(QStringLiteral("ruler.ini"));
    return path;
}

void putFile(const QString &path, const std::optional<QByteArray> &contents)
{
    QFile::remove(path);
    if (!contents)
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*contents) != contents->size())
        Fuzz::fail("the fuzzer's own file could not be written", path);
}

std::optional<QByteArray> fileContents(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool hasLineBreak(const QByteArray &text)
{
    return text.contains('\n') || text.contains('\r');
}

bool isStorableName(const QByteArray &name)
{
    return !name.isEmpty() && !isBlank(name.front()) && !isBlank(name.back()) &&
           !hasLineBreak(name) && !name.contains('\0');
}

// A section header names the section up to its "]"; a key line names the
// key up to its "=", and lines starting with "[", ";" or "#" are no key lines.
bool canStore(const QByteArray &section, const QByteArray &key, const QByteArray &value)
{
    const bool sectionOk = isStorableName(section) && !section.contains(']');
    const bool keyOk = isStorableName(key) && !key.contains('=') && key.front() != '[' &&
                       key.front() != ';' && key.front() != '#';
    return sectionOk && keyOk && !hasLineBreak(value);
}

int utf8Length(char32_t codePoint)
{
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

// What reading gives back for a stored value, worked out on characters
// rather than on the bytes the reader cuts.
QString expectedReading(const QString &value)
{
    qsizetype begin = 0;
    qsizetype end = value.size();
    while (begin < end && (value[begin] == u' ' || value[begin] == u'\t'))
        ++begin;
    while (end > begin && (value[end - 1] == u' ' || value[end - 1] == u'\t'))
        --end;
    QString kept;
    int bytes = 0;
    for (qsizetype i = begin; i < end;) {
        const bool pair =
            value[i].isHighSurrogate() && i + 1 < end && value[i + 1].isLowSurrogate();
        const char32_t codePoint =
            pair ? QChar::surrogateToUcs4(value[i], value[i + 1]) : value[i].unicode();
        bytes += utf8Length(codePoint);
        if (bytes > 999)
            break;
        kept.append(value.mid(i, pair ? 2 : 1));
        i += pair ? 2 : 1;
    }
    kept.remove(QChar(u' '));
    kept.remove(QChar(u'\0'));
    return kept;
}

QByteArray firstLineEnd(const QList<Line> &lines)
{
    for (const Line &line : lines) {
        if (!line.end.isEmpty())
            return line.end;
    }
    return "\n";
}

// One line changed in place: everything up to its first "=" as it was, then the value.
void checkReplacedLine(const Line &before, const Line &after, const QByteArray &key,
                       const QByteArray &value)
{
    const qsizetype equals = before.content.indexOf('=');
    Fuzz::require(equals >= 0 && sameName(withoutBlanksAround(before.content.first(equals)), key),
                  "only the key's own line changes");
    Fuzz::require(after.end == before.end, "the key's line keeps its line end");
    Fuzz::require(after.content == before.content.first(equals + 1) + value,
                  "the key's line keeps its name and takes the value");
}

// The lines before with the added ones at index at, where a last line
// without a line end gets the file's first line end when the lines go after it.
QList<Line> withAddedLines(const QList<Line> &before, qsizetype at, const QList<Line> &added)
{
    QList<Line> lines = before.first(at);
    if (at == before.size() && at > 0 && lines.back().end.isEmpty())
        lines.back().end = firstLineEnd(before);
    return lines + added + before.sliced(at);
}

// A key's line added into a section ends as the line before it, where that
// has a line end; "\r" before a blank "\n" line would join it.
QList<Line> withKeyLine(const QList<Line> &before, qsizetype at, const QByteArray &content)
{
    const bool afterEnd = at > 0 && !before[at - 1].end.isEmpty();
    return withAddedLines(before, at,
                          {Line{content, afterEnd ? before[at - 1].end : firstLineEnd(before)}});
}

// Lines added: the key's line goes into the first section of that name,
// or, with the section's header, at the end of the file.
void checkAddedLines(const QList<Line> &before, const QList<Line> &after, const QByteArray &section,
                     const QByteArray &key, const QByteArray &value)
{
    const QByteArray lineEnd = firstLineEnd(before);
    const QByteArray keyLine = key + '=' + value;
    if (after.size() == before.size() + 2) {
        Fuzz::require(
            after == withAddedLines(before, before.size(),
                                    {Line{'[' + section + ']', lineEnd}, Line{keyLine, lineEnd}}),
            "a new section, its header and the key's line, goes at the end");
        return;
    }
    Fuzz::require(after.size() == before.size() + 1, "a write adds at most two lines");
    qsizetype at = 0;
    while (at < before.size() && before[at] == after[at])
        ++at;
    if (after != withKeyLine(before, at, keyLine)) {
        at = before.size();
        Fuzz::require(after == withKeyLine(before, at, keyLine),
                      "a write adds the key's line and leaves every other line as it was");
    }
    std::optional<qsizetype> firstHeader;
    std::optional<qsizetype> governingHeader;
    for (qsizetype i = 0; i < at; ++i) {
        const std::optional<QByteArray> name = sectionOf(after[i]);
        if (!name)
            continue;
        const bool matches = sameName(*name, section);
        if (matches && !firstHeader)
            firstHeader = i;
        governingHeader = matches ? std::optional<qsizetype>(i) : std::nullopt;
    }
    Fuzz::require(governingHeader && governingHeader == firstHeader,
                  "a new key goes into the first section of its name");
}

void checkLines(const QByteArray &before, const QByteArray &after, const QByteArray &section,
                const QByteArray &key, const QByteArray &value)
{
    Fuzz::require(before.startsWith(byteOrderMark) == after.startsWith(byteOrderMark),
                  "the byte-order mark stays or stays away");
    const qsizetype mark = before.startsWith(byteOrderMark) ? byteOrderMark.size() : 0;
    const QList<Line> beforeLines = IniLines::split(before.sliced(mark));
    const QList<Line> afterLines = IniLines::split(after.sliced(mark));
    if (afterLines.size() != beforeLines.size()) {
        checkAddedLines(beforeLines, afterLines, section, key, value);
        return;
    }
    qsizetype changed = 0;
    for (qsizetype i = 0; i < beforeLines.size(); ++i) {
        if (beforeLines[i] == afterLines[i])
            continue;
        ++changed;
        checkReplacedLine(beforeLines[i], afterLines[i], key, value);
    }
    Fuzz::require(changed <= 1, "a write changes at most one line");
}

QString textOf(const std::string &bytes)
{
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Texts input(data, size);
    const QString section = textOf(input.next());
    const QString key = textOf(input.next());
    const QString value = textOf(input.next());
    const QString otherKey = textOf(input.next());
    const std::string fileBytes = input.rest();
    const std::optional<QByteArray> before =
        fileBytes.empty()
            ? std::nullopt
            : std::optional(QByteArray(fileBytes.data(), qsizetype(fileBytes.size())));

    const QString &path = settingsPath();
    putFile(path, before);
    const PosixFileSystem files;
    const std::string systemPath = QFile::encodeName(path).toStdString();
    const QByteArray section8 = section.toUtf8();
    const QByteArray key8 = key.toUtf8();
    const QByteArray value8 = value.toUtf8();
    const QByteArray otherKey8 = otherKey.toUtf8();
    // The values are compared as the file's bytes: a byte-order mark that
    // starts a value is part of it.
    const auto readValue = [&](const QByteArray &name) {
        return QByteArray::fromStdString(
            ReadIniValue(files, systemPath, section8.toStdString(), name.toStdString()));
    };
    const QByteArray otherBefore = readValue(otherKey8);

    const bool written = WriteIniValue(files, systemPath, section8.toStdString(),
                                       key8.toStdString(), value8.toStdString());
    const std::optional<QByteArray> after = fileContents(path);

    if (!canStore(section8, key8, value8)) {
        Fuzz::require(!written, "what cannot stand on one line is refused");
        Fuzz::require(after == before, "a refused write leaves the file as it was");
        return 0;
    }
    Fuzz::require(written, "a storable value is written");
    Fuzz::require(after.has_value(), "a write leaves a file");

    const QByteArray expected = expectedReading(value).toUtf8();
    const QByteArray read = readValue(key8);
    if (read != expected)
        Fuzz::fail("the key reads as written, cleaned and cut",
                   QStringLiteral("read \"%1\", expected \"%2\"")
                       .arg(QString::fromUtf8(read), QString::fromUtf8(expected)));
    const bool otherIsKey = sameName(otherKey8, key8);
    const QByteArray otherAfter = readValue(otherKey8);
    Fuzz::require(otherAfter == (otherIsKey ? expected : otherBefore),
                  "any other key reads as it did before");
    const IniFileText reading(files, systemPath);
    const std::string sectionBytes = section8.toStdString();
    Fuzz::require(reading.value(sectionBytes, otherKey8.toStdString()) ==
                          otherAfter.toStdString() &&
                      reading.value(sectionBytes, key8.toStdString()) == expected.toStdString(),
                  "several keys from one reading read as each alone");

    checkLines(before.value_or(QByteArray()), *after, section8, key8, value8);
    return 0;
}
