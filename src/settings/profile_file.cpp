#include "profile_file.h"

#include "file_contents.h"
#include "profile_text.h"
#include "settings_lock.h"

#include <QStringDecoder>

#include <optional>

namespace {

// A settings file holds a few hundred bytes. Anything beyond this is not ours
// to parse on every repaint, nor to rewrite: it reads as empty and is left alone.
constexpr qint64 maxFileSize = 16 * 1024 * 1024;

// The profile service hands back at most 999 bytes of a value.
constexpr qsizetype maxValueBytes = 999;

QString cleanedValue(QByteArray raw)
{
    if (raw.size() > maxValueBytes) {
        qsizetype cut = maxValueBytes;
        // Cut before a character, never inside one: a UTF-8 continuation byte
        // at the cut means the character it belongs to would be split.
        while (cut > 0 && (uchar(raw[cut]) & 0xC0) == 0x80)
            --cut;
        raw.truncate(cut);
    }
    // A byte-order mark at the start of a value is part of the value:
    // fromLocal8Bit() would drop it.
    QStringDecoder decode(QStringConverter::System, QStringConverter::Flag::ConvertInitialBom);
    QString value = decode(raw);
    value.remove(QChar(u' '));
    value.remove(QChar(u'\0'));
    return value;
}

QString valueIn(const QByteArray &text, const QByteArray &section, const QString &key)
{
    std::optional<QByteArray> raw = ProfileText::value(text, section, key.toLocal8Bit());
    return raw ? cleanedValue(std::move(*raw)) : QString();
}

} // namespace

QString ReadIniValue(const QString &fileName, const QString &section, const QString &key)
{
    const std::optional<QByteArray> text = readFileContents(fileName, maxFileSize);
    return text ? valueIn(*text, section.toLocal8Bit(), key) : QString();
}

QStringList ReadIniValues(const QString &fileName, const QString &section, const QStringList &keys)
{
    const std::optional<QByteArray> text = readFileContents(fileName, maxFileSize);
    const QByteArray section8 = section.toLocal8Bit();
    QStringList values;
    values.reserve(keys.size());
    for (const QString &key : keys)
        values.append(text ? valueIn(*text, section8, key) : QString());
    return values;
}

bool WriteIniValue(const QString &fileName, const QString &section, const QString &key,
                   const QString &value)
{
    const QByteArray section8 = section.toLocal8Bit();
    const QByteArray key8 = key.toLocal8Bit();
    const QByteArray value8 = value.toLocal8Bit();
    if (!ProfileText::canStore(section8, key8, value8)) {
        errno = EINVAL;
        return false;
    }

    // Read, change and replace as one step that no other ruler cuts into.
    const SettingsLock lock(fileName);

    // Never replace a file whose contents we could not see: that would lose
    // every other setting in it. Only a file that is not there starts empty.
    QByteArray current;
    if (std::optional<QByteArray> text = readFileContents(fileName, maxFileSize))
        current = std::move(*text);
    else if (errno != ENOENT)
        return false;
    const QByteArray updated = ProfileText::withValue(current, section8, key8, value8);
    if (updated == current)
        return true;
    // A size or a position dragged with the mouse mostly keeps its number of
    // digits: such a write goes over the file's own bytes, a fraction of the
    // cost of a new file.
    return overwriteFileContents(fileName, updated) || replaceFileContents(fileName, updated);
}
