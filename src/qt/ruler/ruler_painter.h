#pragma once

#include "core/scale/drawing_settings.h"
#include "core/scale/scale_geometry.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QRectF>
#include <QString>

#include <optional>
#include <unordered_map>
#include <vector>

class QPainter;

// Paints a computed scale over a window of the given size in device pixels,
// at its device pixel ratio. Ticks are one device pixel wide, so they stay
// crisp at any ratio; numbers and the hint are text, placed at whole device
// pixels beside the ticks.
//
// Each text is drawn once, into a small image of its own, and kept: a ruler
// shows the same numbers on every repaint, and laying out and blending text
// anew costs more than all the rest of a repaint together.
class RulerPainter
{
public:
    void paint(QPainter &painter, QSize device, qreal ratio, const Scale &scale,
               const DrawingSettings &drawing, const QString &hint, const QFont &font);
    // Draws the texts that painting this scale needs, without painting. The
    // first text a program draws loads its fonts, milliseconds of work that
    // can be done while the window manager is still mapping the window.
    void prepare(qreal ratio, const Scale &scale, const DrawingSettings &drawing,
                 const QString &hint, const QFont &font);

private:
    // Sets the font and ratio that the kept texts are drawn in, dropping
    // those drawn in others.
    void useFont(const QFont &font, qreal ratio);
    // A text as drawn: its image, and where its top-left corner and its
    // baseline lie within it, in device pixels.
    struct Stamp
    {
        QImage image; // premultiplied ink, cropped to it
        int left = 0;
        int baseline = 0;
        double width = 0; // the text's advance, logical pixels
        // The ink already blended over a background, which a repaint can copy
        // row by row where the stamp lies on that background alone.
        QImage overBackground;
        QRgb background = 0;
    };

    // Where a stamp goes: its image's top-left corner, device pixels.
    struct Placement
    {
        Stamp *stamp;
        QPoint at;
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
    struct StampHash
    {
        size_t operator()(const Key &key) const { return qHash(key); }
    };
    // Node-based, so that a stamp stays where it is while others are added:
    // a repaint holds on to the stamps it has placed.
    template<typename Text>
    using Stamps = std::unordered_map<StampKey<Text>, Stamp, StampHash<StampKey<Text>>>;

    // The stamp kept for key, drawn by draw() the first time it is asked for.
    template<typename Text, typename Draw>
    static Stamp &kept(Stamps<Text> &stamps, const StampKey<Text> &key, Draw draw);
    // Numbers are looked up by value, so that no text is made for a number
    // already drawn.
    Stamp &numberStamp(double value, QRgb color);
    Stamp &textStamp(const QString &text, QRgb color);
    Stamp drawnStamp(const QString &text, QRgb color) const;
    // Where a stamp goes for the text's top-left corner at (left, top), logical pixels.
    Placement placed(Stamp &stamp, double left, double top) const;
    // The numbers of one edge, in order along it.
    void paintNumbers(QPainter &painter, const std::vector<Placement> &numbers,
                      QRgb background) const;

    QFont m_font;
    qreal m_ratio = 0;
    double m_ascent = 0;
    double m_lineHeight = 0;
    // The ink of all ten digits from the baseline, logical pixels; measured
    // once a scale crowds its numbers into a band.
    std::optional<QRectF> m_digitsInk;
    Stamps<double> m_numberStamps;
    Stamps<QString> m_textStamps;
};
