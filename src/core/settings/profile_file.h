#pragma once

#include "file_system.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

// The operations through which every setting is read and written. Nothing is
// cached: each call goes to the file, so the file is always the authority and
// an edit made from outside shows at the next read. Names and values are
// UTF-8 text; the file is reached through files, which converts them to and
// from what the file holds.

// A settings file's text from one reading, in which several keys are then
// looked up: what one event needs of the file, read once.
class IniFileText
{
public:
    // Reads the file now; a file that is missing or cannot be read holds no keys.
    IniFileText(const FileSystem &files, const std::string &fileName);

    // The key's value with every space and NUL removed, once its text (UTF-8)
    // is cut to at most 999 bytes; empty when the file, the section or the
    // key is missing.
    std::string value(std::string_view section, std::string_view key) const;

private:
    const FileSystem *m_files;
    std::optional<std::string> m_text;
};

// One key, looked up as IniFileText looks keys up, in a reading of its own.
std::string ReadIniValue(const FileSystem &files, const std::string &fileName,
                         std::string_view section, std::string_view key);

struct IniEntry
{
    std::string_view key;
    std::string_view value;
};

// Stores each value as its key's text, creating the file and the section
// where they are missing and keeping every other line as it was. The file is
// replaced as a whole, so that an interrupted write never leaves it truncated,
// under a lock on its folder, so that two rulers never lose each other's keys.
// Several entries are one change of the file: all of them land, or none.
// Returns false, and changes nothing, when the file cannot be read or written
// or when a name or a value cannot be stored on one line; errno then says why
// (EINVAL for the names or the values).
bool WriteIniValues(const FileSystem &files, const std::string &fileName, std::string_view section,
                    std::span<const IniEntry> entries);
bool WriteIniValue(const FileSystem &files, const std::string &fileName, std::string_view section,
                   std::string_view key, std::string_view value);
