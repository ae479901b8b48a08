#pragma once

#include "core/geometry.h"

#include <windows.h>

struct Picture;
struct TickBand;

// The ruler window's own image: the core's picture painted with GDI into a
// bitmap at least the window's size in device pixels, which the window copies to
// the screen whenever Windows asks it to paint. The scale is painted only when
// the core has a new picture, never on a mere uncovering of the window.
class RulerPainter
{
public:
    RulerPainter();
    ~RulerPainter();
    RulerPainter(const RulerPainter &) = delete;
    RulerPainter &operator=(const RulerPainter &) = delete;

    // Paints the picture, its texts in the given font, over the whole image.
    void paint(const Picture &picture, HFONT font);
    // Copies the image's part under area (window coordinates) to target.
    void copyTo(HDC target, const RECT &area) const;

private:
    // Makes the image hold at least the picture's size; its content is then
    // undefined.
    void fitImage(Size device);
    void paintBand(const TickBand &band);

    HDC m_dc = nullptr;
    HBITMAP m_image = nullptr;
    HGDIOBJ m_original = nullptr;
    Size m_capacity; // the image's own size; the window shows its top-left part
};
