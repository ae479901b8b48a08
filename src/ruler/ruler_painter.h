#pragma once

#include "drawing_settings.h"
#include "scale_geometry.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QString>

#include <functional>

class QPainter;

// Paints a computed scale into an image the size of the window in device
// pixels (its devicePixelRatio set). Ticks are written straight into the
// pixels, one device pixel wide, so they stay crisp at any ratio; numbers and
// the hint are text, placed at whole device pixels beside the ticks.
//
// Each text is drawn once, into a small image of its own, and kept: a ruler
// shows the same numbers on every repaint, and laying out and blending text
// anew costs more than all the rest of a repaint together.
class RulerPainter
{
public:
    void paint(QImage &image, const Scale &scale, const DrawingSettings &drawing,
               const QString &hint, const QFont &font);

private:
    // A text as drawn: its image, and where its top-left corner and its
    // baseline lie within it, in device pixels.
    struct Stamp
    {
        QImage image;
        int left = 0;
        int baseline = 0;
        double width = 0; // the text's advance, logical pixels
    };

    template<typename Text>
    struct StampKey
    {
        Text text;
        QRgb color;
        friend bool operator==(const StampKey &, const StampKey &) = default;
        friend size_t qHash(const StampKey &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.text, key.color);
        }
    };

    template<typename Key>
    static const Stamp &kept(QHash<Key, Stamp> &stamps, const Key &key,
                             const std::function<Stamp()> &draw);
    // Numbers are looked up by value, so that no text is made for a number
    // already drawn.
    const Stamp &numberStamp(double value, QRgb color);
    const Stamp &textStamp(const QString &text, QRgb color);
    Stamp drawnStamp(const QString &text, QRgb color) const;
    // Draws a stamp with the text's top-left corner at (left, top), logical pixels.
    void place(QPainter &painter, const Stamp &stamp, double left, double top) const;

    QFont m_font;
    qreal m_ratio = 0;
    double m_ascent = 0;
    double m_lineHeight = 0;
    QHash<StampKey<double>, Stamp> m_numberStamps;
    QHash<StampKey<QString>, Stamp> m_textStamps;
};
