#pragma once

#include <QString>

// The about box's text, seven lines joined by "\r\n" with no break after the
// last: the title, the version line, the author line and the forum line, each
// after an empty line. The version line puts the revision before the minor
// number, the order in which the ruler has always shown its version
// ("版本: Ver2.0.0"; minor 1 and revision 5 give "版本: Ver2.5.1").
QString aboutText(int major, int minor, int revision);
