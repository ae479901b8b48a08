#pragma once

#include "drawing_settings.h"
#include "scale_geometry.h"

#include <QFont>
#include <QImage>
#include <QString>

// Paints a computed scale into an image the size of the window in device
// pixels (its devicePixelRatio set). Ticks are written straight into the
// pixels, one device pixel wide, so they stay crisp at any ratio; numbers and
// the hint are text, placed at whole device pixels beside the ticks.
void paintRuler(QImage &image, const Scale &scale, const DrawingSettings &drawing,
                const QString &hint, const QFont &font);
