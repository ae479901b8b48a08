#include "profile_file.h"

#include "profile_text.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

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

} // namespace

IniFileText::IniFileText(const FileSystem &files, const std::string &fileName)
    : m_files(&files)
    , m_text(files.read(fileName, maxFileSize))
{}

std::string IniFileText::value(std::string_view section, std::string_view key) const
{
    if (!m_text)
        return {};
    const std::optional<std::string> stored =
        ProfileText::value(*m_text, m_files->toFileText(section), m_files->toFileText(key));
    return stored ? cleanedValue(m_files->fromFileText(*stored)) : std::string();
}

std::string ReadIniValue(const FileSystem &files, const std::string &fileName,
                         std::string_view section, std::string_view key)
{
    return IniFileText(files, fileName).value(section, key);
}

bool WriteIniValues(const FileSystem &files, const std::string &fileName, std::string_view section,
                    std::span<const IniEntry> entries)
{
    // The checks and the edit are on the bytes the file will hold, so that a
    // write over the file's own bytes measures what is really stored.
    const std::string storedSection = files.toFileText(section);
    std::vector<std::pair<std::string, std::string>> stored;
    stored.reserve(entries.size());
    for (const IniEntry &entry : entries) {
        stored.emplace_back(files.toFileText(entry.key), files.toFileText(entry.value));
        if (!ProfileText::canStore(storedSection, stored.back().first, stored.back().second)) {
            errno = EINVAL;
            return false;
        }
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
    std::string updated = current;
    for (const auto &[key, value] : stored)
        updated = ProfileText::withValue(updated, storedSection, key, value, files.lineEnd());
    if (updated == current)
        return true;
    // A size or a position dragged with the mouse mostly keeps its number of
    // digits: such a write goes over the file's own bytes, a fraction of the
    // cost of a new file.
    return files.overwrite(fileName, updated) || files.replace(fileName, updated);
}

bool WriteIniValue(const FileSystem &files, const std::string &fileName, std::string_view section,
                   std::string_view key, std::string_view value)
{
    const IniEntry entry{key, value};
    return WriteIniValues(files, fileName, section, {&entry, 1});
}
