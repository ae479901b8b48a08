#include "color_text.h"

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

qint32 ParseColorText(QStringView text)
{
    if (text.size() != 7 || text[0] != u'#')
        return -1;
    qint32 rgbDigits = 0; // 0xRRGGBB as written
    for (qsizetype i = 1; i < 7; ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0)
            return -1;
        rgbDigits = rgbDigits * 16 + digit;
    }
    const qint32 red = (rgbDigits >> 16) & 0xFF;
    const qint32 green = (rgbDigits >> 8) & 0xFF;
    const qint32 blue = rgbDigits & 0xFF;
    return red + 256 * green + 65536 * blue;
}

QString colorText(qint32 colorValue)
{
    const QRgb rgb = rgbFromColorValue(colorValue);
    return QStringLiteral("#%1%2%3")
        .arg(qRed(rgb), 2, 16, QLatin1Char('0'))
        .arg(qGreen(rgb), 2, 16, QLatin1Char('0'))
        .arg(qBlue(rgb), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QRgb rgbFromColorValue(qint32 colorValue)
{
    return qRgb(colorValue & 0xFF, (colorValue >> 8) & 0xFF, (colorValue >> 16) & 0xFF);
}

qint32 colorValueFromRgb(QRgb rgb)
{
    return qRed(rgb) + 256 * qGreen(rgb) + 65536 * qBlue(rgb);
}
