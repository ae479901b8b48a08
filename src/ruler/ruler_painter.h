#pragma once

#include "drawing_settings.h"
#include "scale_geometry.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QStaticText>
#include <QString>

// Paints a computed scale into an image the size of the window in device
// pixels (its devicePixelRatio set). Ticks are written straight into the
// pixels, one device pixel wide, so they stay crisp at any ratio; numbers and
// the hint are text, placed at whole device pixels beside the ticks.
//
// The texts are laid out once and kept: a ruler shows the same numbers on
// every repaint, and shaping them anew costs more than all the rest of it.
class RulerPainter
{
public:
    void paint(QImage &image, const Scale &scale, const DrawingSettings &drawing,
               const QString &hint, const QFont &font);

private:
    const QStaticText &laidOut(const QString &text);

    QFont m_font;
    QHash<QString, QStaticText> m_texts;
};
