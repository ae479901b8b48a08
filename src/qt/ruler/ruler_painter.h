#pragma once

#include "core/scale/picture.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QPainter;

// Paints the core's picture of the ruler, laid out in device pixels, at the
// window's device pixel ratio: the tick bands, then the fills, then the
// texts, each at the whole device pixel the picture gives, so that ticks and
// texts stay crisp at any ratio.
//
// Each text is drawn once, into a small image of its own, and kept: a ruler
// shows the same numbers on every repaint, and laying out and blending text
// anew costs more than all the rest of a repaint together.
class RulerPainter
{
public:
    void paint(QPainter &painter, const Picture &picture, const QFont &font, qreal ratio);
    // Draws the texts of the picture, without painting. The first text a
    // program draws loads its fonts, milliseconds of work that can be done
    // while the window manager is still mapping the window.
    void prepare(const Picture &picture, const QFont &font, qreal ratio);

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
        // The ink already blended over a background, which a repaint can copy
        // where the stamp lies on that background alone.
        QImage overBackground;
        std::optional<QRgb> background;
    };

    // A text in a colour, looked up by a view of the text, which copies
    // nothing; a kept stamp's key owns its text.
    struct StampKey
    {
        std::string_view text; // UTF-8
        QRgb color;
        friend bool operator==(StampKey, StampKey) = default;
    };
    struct KeptStampKey
    {
        std::string text;
        QRgb color;
        operator StampKey() const { return {text, color}; }
    };
    struct StampHash
    {
        using is_transparent = void;
        size_t operator()(StampKey key) const;
    };
    struct StampEqual
    {
        using is_transparent = void;
        bool operator()(StampKey a, StampKey b) const { return a == b; }
    };
    // Node-based, so that a stamp stays where it is while others are added:
    // a repaint holds on to the stamps it has placed.
    using Stamps = std::unordered_map<KeptStampKey, Stamp, StampHash, StampEqual>;
    using KeptStamp = Stamps::value_type;

    // The stamp kept for the text, drawn the first time it is asked for.
    KeptStamp &stamp(const PictureText &text);
    Stamp drawnStamp(const QString &text, QRgb color) const;
    // Paints the band with the image it was painted with last time, made
    // anew only when the band's size changes.
    void paintBand(QPainter &painter, const TickBand &band, QImage &image);
    void paintTexts(QPainter &painter, const Picture &picture);
    // The ink of the stamp blended over color in advance.
    void blendOver(Stamp &stamp, QRgb color) const;

    QFont m_font;
    qreal m_ratio = 0;
    double m_ascent = 0;     // logical pixels
    double m_lineHeight = 0; // logical pixels
    Stamps m_stamps;
    // What the last repaint worked with, which the next one mostly needs
    // again: each band's image and a line of the background to start it
    // from, each text's stamp and where it lies.
    std::vector<QImage> m_bands;
    std::vector<QRgb> m_backgroundLine;
    std::vector<KeptStamp *> m_shown;
    std::vector<QRect> m_areas;
};
