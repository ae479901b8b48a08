#pragma once

#include <QString>

// The program's title, as its windows show it: the ruler window's caption and
// the title of the calibration box.
QString productTitle();
