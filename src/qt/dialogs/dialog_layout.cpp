#include "dialog_layout.h"

#include "core/ruler/twips.h"

#include <QWidget>

void setGeometryTwips(QWidget *control, double left, double top, double width, double height,
                      double twipsPerPixel)
{
    control->setGeometry(Twips::toPixels(left, twipsPerPixel), Twips::toPixels(top, twipsPerPixel),
                         Twips::toPixels(width, twipsPerPixel),
                         Twips::toPixels(height, twipsPerPixel));
}
