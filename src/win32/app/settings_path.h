#pragma once

#include <string>

// The settings file of this copy of the program, in UTF-8: ruler.ini beside
// ruler.exe or, where keepsSettingsBesideProgram() says otherwise (a copy
// under Program Files, or a folder that cannot be written and holds no
// ruler.ini), the per-user %APPDATA%\ruler\ruler.ini, whose folder is made.
std::string settingsFilePath();
