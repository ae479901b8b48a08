#pragma once

#include <QString>

// ruler.ini lives beside the program. An installed copy keeps it in the
// per-user configuration folder instead (~/.config/ruler/ruler.ini), and so
// does a copy whose folder cannot be written and holds no ruler.ini yet, so
// that settings are still kept.
QString settingsFilePath();
