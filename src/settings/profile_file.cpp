#include "profile_file.h"

#include "profile_text.h"

#include <QFile>
#include <QSaveFile>

namespace {

// A settings file holds a few hundred bytes. Anything beyond this is not ours
// to parse on every repaint, nor to rewrite: it reads as empty and is left alone.
constexpr qint64 maxFileSize = 16 * 1024 * 1024;

// The profile service hands back at most 999 bytes of a value.
constexpr qsizetype maxValueBytes = 999;

std::optional<QByteArray> readWhole(QFile &file)
{
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray text = file.read(maxFileSize + 1);
    if (text.size() > maxFileSize)
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
    QString value = QString::fromLocal8Bit(raw);
    value.remove(QChar(u' '));
    value.remove(QChar(u'\0'));
    return value;
}

bool replaceContents(const QString &fileName, const QByteArray &text)
{
    QSaveFile file(fileName);
    // A folder that forbids new files may still hold a writable ruler.ini.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

QString ReadIniValue(const QString &fileName, const QString &section, const QString &key)
{
    QFile file(fileName);
    const std::optional<QByteArray> text = readWhole(file);
    if (!text)
        return {};
    std::optional<QByteArray> raw =
        ProfileText::value(*text, section.toLocal8Bit(), key.toLocal8Bit());
    return raw ? cleanedValue(std::move(*raw)) : QString();
}

bool WriteIniValue(const QString &fileName, const QString &section, const QString &key,
                   const QString &value)
{
    const QByteArray section8 = section.toLocal8Bit();
    const QByteArray key8 = key.toLocal8Bit();
    const QByteArray value8 = value.toLocal8Bit();
    if (!ProfileText::canStore(section8, key8, value8))
        return false;

    QByteArray current;
    QFile file(fileName);
    if (file.exists()) {
        // Never replace a file whose contents we could not see: that would
        // lose every other setting in it.
        std::optional<QByteArray> text = readWhole(file);
        if (!text)
            return false;
        current = std::move(*text);
    }
    const QByteArray updated = ProfileText::withValue(current, section8, key8, value8);
    if (updated == current)
        return true;
    return replaceContents(fileName, updated);
}
