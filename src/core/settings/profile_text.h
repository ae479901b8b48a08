#pragma once

#include <optional>
#include <string>
#include <string_view>

// Reading and editing the text of a Windows-style profile (INI) file in memory.
//
// Section and key names match without regard to ASCII letter case and to the
// blanks around them. Where a section or key appears twice, the first one in
// the file counts, for reading and for writing alike. Lines starting with ";"
// or "#" are comments. An edit changes one line or adds one (and the section
// header where the section is missing); every other byte stays as it was, line
// ends and a leading byte-order mark included.
namespace ProfileText {

// The value of key in section with the blanks around it removed, or nothing
// when the section or the key is missing.
std::optional<std::string> value(std::string_view text, std::string_view section,
                                 std::string_view key);

// Whether section, key and value can be stored without changing how the file
// reads elsewhere: names non-empty, without line breaks, surrounding blanks,
// "]" in a section or "=" in a key, and a value on one line.
bool canStore(std::string_view section, std::string_view key, std::string_view value);

// The text with key set to value. A new key goes after the last non-blank
// line of the section and ends as that line does; a new section goes at the
// end of the text, with the text's first line end, or newFileLineEnd where
// the text has none yet. Requires canStore().
std::string withValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value, std::string_view newFileLineEnd);

} // namespace ProfileText
