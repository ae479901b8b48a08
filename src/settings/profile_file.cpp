#include "profile_file.h"

#include "atomic_file.h"
#include "profile_text.h"
#include "settings_lock.h"

#include <QFile>
#include <QStringDecoder>

#include <optional>

namespace {

// A settings file holds a few hundred bytes. Anything beyond this is not ours
// to parse on every repaint, nor to rewrite: it reads as empty and is left alone.
constexpr qint64 maxFileSize = 16 * 1024 * 1024;

// The profile service hands back at most 999 bytes of a value.
constexpr qsizetype maxValueBytes = 999;

std::optional<QByteArray> readWhole(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // In pieces rather than read(maxFileSize), which would set aside the
    // whole limit for a file of a few hundred bytes; a device or a pipe
    // posing as ruler.ini is cut off at the limit too.
    QByteArray text;
    char piece[4096];
    qint64 got = 0;
    while ((got = file.read(piece, sizeof piece)) > 0) {
        text.append(piece, got);
        if (text.size() > maxFileSize)
            return std::nullopt;
    }
    if (got < 0)
        return std::nullopt;
    return text;
}

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
    const std::optional<QByteArray> text = readWhole(fileName);
    return text ? valueIn(*text, section.toLocal8Bit(), key) : QString();
}

QStringList ReadIniValues(const QString &fileName, const QString &section, const QStringList &keys)
{
    const std::optional<QByteArray> text = readWhole(fileName);
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
    if (!ProfileText::canStore(section8, key8, value8))
        return false;

    // Read, change and replace as one step that no other ruler cuts into.
    const SettingsLock lock(fileName);

    QByteArray current;
    if (QFile::exists(fileName)) {
        // Never replace a file whose contents we could not see: that would
        // lose every other setting in it.
        std::optional<QByteArray> text = readWhole(fileName);
        if (!text)
            return false;
        current = std::move(*text);
    }
    const QByteArray updated = ProfileText::withValue(current, section8, key8, value8);
    if (updated == current)
        return true;
    return replaceFileContents(fileName, updated);
}
