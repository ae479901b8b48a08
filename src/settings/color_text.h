#pragma once

#include <QRgb>
#include <QString>
#include <QStringView>

// A colour value is red + 256 * green + 65536 * blue with the top byte 0; its
// text form, colour text, is "#RRGGBB". Both forms are what ruler.ini stores
// and what users type, so they are kept exactly, independent of QColor.

// The colour value of a valid colour text (exactly seven characters, "#" and
// six hexadecimal digits of either case), or -1.
qint32 ParseColorText(QStringView text);

// The colour text of a colour value, with upper-case digits ("#00000A").
QString colorText(qint32 colorValue);

QRgb rgbFromColorValue(qint32 colorValue);
qint32 colorValueFromRgb(QRgb rgb);
