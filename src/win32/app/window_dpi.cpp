#include "window_dpi.h"

#include "system_function.h"

namespace {

unsigned desktopDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? unsigned(dpi) : WindowDpi::standard;
}

} // namespace

namespace WindowDpi {

unsigned of(HWND window)
{
    static const auto getDpiForWindow =
        systemFunction<UINT WINAPI(HWND)>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window))
            return dpi;
    }
    return desktopDpi();
}

RECT frameAround(RECT client, DWORD style, DWORD extendedStyle, unsigned dpi)
{
    static const auto forDpi = systemFunction<BOOL WINAPI(LPRECT, DWORD, BOOL, DWORD, UINT)>(
        L"user32.dll", "AdjustWindowRectExForDpi");
    RECT frame = client;
    if (!forDpi || !forDpi(&frame, style, FALSE, extendedStyle, dpi)) {
        frame = client;
        AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
    }
    return frame;
}

HFONT createMessageFont(unsigned dpi)
{
    static const auto forDpi = systemFunction<BOOL WINAPI(UINT, UINT, PVOID, UINT, UINT)>(
        L"user32.dll", "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!forDpi || !forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        // The metrics of the desktop's one resolution, brought to the window's.
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        metrics.lfMessageFont.lfHeight =
            MulDiv(metrics.lfMessageFont.lfHeight, int(dpi), int(desktopDpi()));
    }
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

} // namespace WindowDpi
