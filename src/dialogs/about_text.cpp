#include "about_text.h"

#include "app/product.h"

namespace {

const QString lineBreak = QStringLiteral("\r\n");
const QString authorEmail = QStringLiteral("ostrel@users.noreply.github.com");

} // namespace

QString aboutText(int major, int minor, int revision)
{
    return productTitle() + lineBreak + lineBreak +
           QStringLiteral("版本: Ver%1.%2.%3").arg(major).arg(revision).arg(minor) + lineBreak +
           lineBreak + QStringLiteral("作者: Ostrel ") + authorEmail + lineBreak + lineBreak +
           QStringLiteral("官方论坛: ") + productHomepage();
}
