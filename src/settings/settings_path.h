#pragma once

#include <QString>

// ruler.ini lives beside the program. Where the program's folder cannot be
// written and holds no ruler.ini yet (a system-wide install), it lives in the
// per-user configuration folder instead, so that settings are still kept.
QString settingsFilePath();
