#include "ruler_painter.h"

#include "app/wide_text.h"
#include "core/scale/picture.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// A stored colour value (red + 256 * green + 65536 * blue) is what GDI calls
// a COLORREF; a 32-bit bitmap's pixel holds the bytes the other way round.
COLORREF colorRef(ColorValue color)
{
    return COLORREF(color) & 0xFFFFFF;
}

std::uint32_t pixelOf(ColorValue color)
{
    return std::uint32_t(GetRValue(colorRef(color))) << 16 |
           std::uint32_t(GetGValue(colorRef(color))) << 8 | GetBValue(colorRef(color));
}

// A side of the image for a picture's side: the image grows by half as much
// again as it held, so that a drag that widens the ruler a few pixels at a
// time makes a new bitmap, fresh memory, only now and then, not at every step.
int imageSide(int picture, int held)
{
    return picture > held ? std::max(picture, held + held / 2) : held;
}

} // namespace

RulerPainter::RulerPainter()
    : m_dc(CreateCompatibleDC(nullptr))
{}

RulerPainter::~RulerPainter()
{
    if (m_image) {
        SelectObject(m_dc, m_original);
        DeleteObject(m_image);
    }
    DeleteDC(m_dc);
}

void RulerPainter::fitImage(Size device)
{
    const bool fits = device.width <= m_capacity.width && device.height <= m_capacity.height;
    // An image four times the picture's area or more is given back.
    const bool oversized = std::int64_t(device.width) * device.height * 4 <=
                           std::int64_t(m_capacity.width) * m_capacity.height;
    if (m_image && fits && !oversized)
        return;
    const Size capacity = oversized ? device
                                    : Size{imageSide(device.width, m_capacity.width),
                                           imageSide(device.height, m_capacity.height)};
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = capacity.width;
    format.bmiHeader.biHeight = -capacity.height; // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP image = CreateDIBSection(m_dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!image)
        return;
    const HGDIOBJ replaced = SelectObject(m_dc, image);
    if (m_image)
        DeleteObject(m_image);
    else
        m_original = replaced;
    m_image = image;
    m_capacity = capacity;
}

void RulerPainter::paintBand(const TickBand &band)
{
    // All lines of a band look the same from one side of it to the other: one
    // line of pixels across the band, drawn once and stretched over each of
    // its areas, costs the same however many ticks crowd into it.
    const Rect &first = band.areas[0];
    const int along = band.horizontal ? first.width : first.height;
    if (along <= 0)
        return;
    const int start = band.horizontal ? first.x : first.y;
    std::vector<std::uint32_t> line(size_t(along), pixelOf(band.background));
    for (const TickLine &tick : band.lines) {
        const int at = tick.position - start;
        if (at >= 0 && at < along)
            line[size_t(at)] = pixelOf(tick.color);
    }

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = band.horizontal ? along : 1;
    format.bmiHeader.biHeight = band.horizontal ? -1 : -along;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    for (const Rect &area : band.areas) {
        if (area.width <= 0 || area.height <= 0)
            continue;
        StretchDIBits(m_dc, area.x, area.y, area.width, area.height, 0, 0, format.bmiHeader.biWidth,
                      -format.bmiHeader.biHeight, line.data(), &format, DIB_RGB_COLORS, SRCCOPY);
    }
}

void RulerPainter::paint(const Picture &picture, HFONT font)
{
    fitImage(picture.device);
    if (!m_image)
        return;
    // Stretched lines repeat their pixels rather than blend them.
    SetStretchBltMode(m_dc, COLORONCOLOR);
    for (const TickBand &band : picture.bands)
        paintBand(band);

    const HGDIOBJ brush = SelectObject(m_dc, GetStockObject(DC_BRUSH));
    for (const PictureFill &fill : picture.fills) {
        SetDCBrushColor(m_dc, colorRef(fill.color));
        PatBlt(m_dc, fill.area.x, fill.area.y, fill.area.width, fill.area.height, PATCOPY);
    }
    SelectObject(m_dc, brush);

    const HGDIOBJ previousFont = SelectObject(m_dc, font);
    SetBkMode(m_dc, TRANSPARENT);
    SetTextAlign(m_dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    for (const PictureText &text : picture.texts) {
        const std::wstring wide = wideFromUtf8(text.text);
        SetTextColor(m_dc, colorRef(text.color));
        ExtTextOutW(m_dc, text.baselineLeft.x, text.baselineLeft.y, 0, nullptr, wide.data(),
                    UINT(wide.size()), nullptr);
    }
    SelectObject(m_dc, previousFont);
    GdiFlush();
}

void RulerPainter::copyTo(HDC target, const RECT &area) const
{
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, m_dc,
           area.left, area.top, SRCCOPY);
}
