#include "screen_twips.h"

#include "core/ruler/twips.h"

#include <QScreen>
#include <QWidget>

namespace Twips {

double perPixel(const QWidget *widget)
{
    const QScreen *screen = widget->screen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return perInch / (dpi > 0 ? dpi : 96.0);
}

} // namespace Twips
