#pragma once

#include <string_view>

// ruler.ini lives beside the program. An installed copy keeps it in the
// per-user configuration folder instead, and so does a copy whose folder
// cannot be written and holds no ruler.ini yet, so that settings are still
// kept.

inline constexpr std::string_view settingsFileName = "ruler.ini";

// What the settings' place depends on, as the shell finds the program's folder.
struct ProgramFolder
{
    // An installed copy serves every user of the machine, even where one of
    // them (root) may write its folder.
    bool installed = false;
    bool holdsSettingsFile = false;
    bool writable = false;
};

// Whether the settings file is the one beside the program rather than the
// per-user one.
constexpr bool keepsSettingsBesideProgram(const ProgramFolder &folder)
{
    return !folder.installed && (folder.holdsSettingsFile || folder.writable);
}
