#include "product.h"

QString productTitle()
{
    return QStringLiteral("Ostrel屏幕刻度尺");
}

QString productHomepage()
{
    return QStringLiteral(RULER_HOMEPAGE_URL);
}
