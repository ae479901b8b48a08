#pragma once

#include "file_system.h"

#include <string>
#include <string_view>
#include <vector>

// The operations through which every setting is read and written. Nothing is
// cached: each call goes to the file, so the file is always the authority and
// an edit made from outside shows at the next read. Names and values are
// UTF-8 text; the file is reached through files, which converts them to and
// from what the file holds.

// The key's value with every space and NUL removed, once its text (UTF-8)
// is cut to at most 999 bytes; empty when the file, the section or the key
// is missing or the file cannot be read.
std::string ReadIniValue(const FileSystem &files, const std::string &fileName,
                         std::string_view section, std::string_view key);

// Several keys read as ReadIniValue reads each, from one reading of the file.
std::vector<std::string> ReadIniValues(const FileSystem &files, const std::string &fileName,
                                       std::string_view section,
                                       const std::vector<std::string_view> &keys);

// Stores value as the key's text, creating the file and the section where
// they are missing and keeping every other line as it was. The file is
// replaced as a whole, so that an interrupted write never leaves it truncated,
// under a lock on its folder, so that two rulers never lose each other's keys.
// Returns false, and changes nothing, when the file cannot be read or written
// or when the names or the value cannot be stored on one line; errno then
// says why (EINVAL for the names or the value).
bool WriteIniValue(const FileSystem &files, const std::string &fileName, std::string_view section,
                   std::string_view key, std::string_view value);
