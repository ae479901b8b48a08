#include "dialog_layout.h"

#include "core/ruler/twips.h"

#include <QWidget>

void setGeometryTwips(QWidget *control, const DialogArea &area, double twipsPerPixel)
{
    control->setGeometry(
        Twips::toPixels(area.left, twipsPerPixel), Twips::toPixels(area.top, twipsPerPixel),
        Twips::toPixels(area.width, twipsPerPixel), Twips::toPixels(area.height, twipsPerPixel));
}
