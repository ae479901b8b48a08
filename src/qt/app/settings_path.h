#pragma once

#include <string>

// The settings file of this copy of the program, as the system names it:
// beside the program or, where keepsSettingsBesideProgram() says otherwise,
// the per-user one (~/.config/ruler/ruler.ini), whose folder is made.
std::string settingsFilePath();
