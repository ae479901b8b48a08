#pragma once

#include <QString>

// The program's identity, as its windows show it.

// The ruler window's caption, the about text's first line and the title of
// the calibration box.
QString productTitle();

struct ProductVersion
{
    int major;
    int minor;
    int revision;
};

inline constexpr ProductVersion productVersion{RULER_VERSION_MAJOR, RULER_VERSION_MINOR,
                                               RULER_VERSION_PATCH};

// Where the program lives on the web: its forum in the about box.
QString productHomepage();
