#include "product.h"

#include "core/commands/about_text.h"

QString productTitle()
{
    return QString::fromUtf8(AboutText::productTitle);
}
