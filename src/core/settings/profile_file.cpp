#include "profile_file.h"

#include "profile_text.h"

#include <algorithm>
#include <cerrno>
#include <optional>

namespace {

// A settings file holds a few hundred bytes. Anything beyond this is not ours
// to parse on every repaint, nor to rewrite: it reads as empty and is left alone.
constexpr std::size_t maxFileSize = 16 * 1024 * 1024;

// The profile service hands back at most 999 bytes of a value.
constexpr std::size_t maxValueBytes = 999;

std::string cleanedValue(std::string raw)
{
    if (raw.size() > maxValueBytes) {
        std::size_t cut = maxValueBytes;
        // Cut before a character, never inside one: a UTF-8 continuation byte
        // at the cut means the character it belongs to would be split.
        while (cut > 0 && (static_cast<unsigned char>(raw[cut]) & 0xC0) == 0x80)
            --cut;
        raw.resize(cut);
    }
    // A byte-order mark at the start of a value is part of the value, and stays.
    std::erase(raw, ' ');
    std::erase(raw, '\0');
    return raw;
}

// section and key as the file holds them; the value comes back as text.
std::string valueIn(const FileSystem &files, std::string_view text, std::string_view section,
                    std::string_view key)
{
    const std::optional<std::string> stored = ProfileText::value(text, section, key);
    return stored ? cleanedValue(files.fromFileText(*stored)) : std::string();
}

} // namespace

std::string ReadIniValue(const FileSystem &files, const std::string &fileName,
                         std::string_view section, std::string_view key)
{
    const std::optional<std::string> text = files.read(fileName, maxFileSize);
    return text ? valueIn(files, *text, files.toFileText(section), files.toFileText(key))
                : std::string();
}

std::vector<std::string> ReadIniValues(const FileSystem &files, const std::string &fileName,
                                       std::string_view section,
                                       const std::vector<std::string_view> &keys)
{
    const std::optional<std::string> text = files.read(fileName, maxFileSize);
    const std::string storedSection = files.toFileText(section);
    std::vector<std::string> values;
    values.reserve(keys.size());
    for (const std::string_view key : keys)
        values.push_back(text ? valueIn(files, *text, storedSection, files.toFileText(key))
                              : std::string());
    return values;
}

bool WriteIniValue(const FileSystem &files, const std::string &fileName, std::string_view section,
                   std::string_view key, std::string_view value)
{
    // The checks and the edit are on the bytes the file will hold, so that a
    // write over the file's own bytes measures what is really stored.
    const std::string storedSection = files.toFileText(section);
    const std::string storedKey = files.toFileText(key);
    const std::string storedValue = files.toFileText(value);
    if (!ProfileText::canStore(storedSection, storedKey, storedValue)) {
        errno = EINVAL;
        return false;
    }

    // Read, change and replace as one step that no other ruler cuts into.
    const std::unique_ptr<FileSystem::Lock> lock = files.lock(fileName);

    // Never replace a file whose contents we could not see: that would lose
    // every other setting in it. Only a file that is not there starts empty.
    std::string current;
    if (std::optional<std::string> text = files.read(fileName, maxFileSize))
        current = std::move(*text);
    else if (errno != ENOENT)
        return false;
    const std::string updated =
        ProfileText::withValue(current, storedSection, storedKey, storedValue, files.lineEnd());
    if (updated == current)
        return true;
    // A size or a position dragged with the mouse mostly keeps its number of
    // digits: such a write goes over the file's own bytes, a fraction of the
    // cost of a new file.
    return files.overwrite(fileName, updated) || files.replace(fileName, updated);
}
