#pragma once

#include "core/ruler/ruler_window.h"
#include "core/settings/ruler_settings.h"
#include "core/shell.h"
#include "ruler_font.h"
#include "ruler_painter.h"

#include <windows.h>

#include <memory>

class FormMenu;

// The ruler window on Win32: a borderless layered popup that shows the
// core's picture of the scale and hands every message to the core's
// RulerWindow in one call. It is the shell that RulerWindow asks for geometry,
// opacity, topmost and taskbar presence.
//
// Pixels are Windows' own: the program is aware of each screen's resolution,
// so Windows counts every window and screen in device pixels. One pixel is
// then one device pixel, and a pixel's twips come from its screen's dots per
// inch (15 at 96).
class Form1 : public Shell
{
public:
    explicit Form1(RulerSettings settings);
    ~Form1() override;
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    // Creates the window, loads it, lays it out where it was stored and shows it.
    void show();
    // Closes the window as a close request from Windows does; the program ends.
    void close();

    HWND hwnd() const { return m_hwnd; }
    RulerWindow &behaviour() { return m_behaviour; }
    const RulerSettings &settings() const { return m_settings; }

    Rect windowGeometry() const override;
    double twipsPerPixel() const override;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void onPaint();
    void onSize();
    void onPress(PointerButton button, LPARAM clientPoint);
    bool onSetCursor();
    bool onKeyDown(WPARAM virtualKey);
    void onDpiChanged(unsigned dpi, const RECT &suggested);
    // The unload step, once, whichever way the window goes: closed, destroyed,
    // or the session ending under it.
    void unload();

    void moveWindow(Point topLeft) override;
    void resizeWindow(Size size) override;
    std::vector<Rect> screens() const override;
    Rect desktop() const override;
    Rect windowScreen() const override;
    double devicePixelRatio() const override;
    void setOpacity(int alpha) override;
    void setTopmost(bool topmost) override;
    void setTaskbarPresence(bool show) override;
    void placeGrip(Rect area) override;
    void showPicture() override;
    const TextMeasure &textMeasure() override;

    RulerSettings m_settings;
    RulerWindow m_behaviour{*this, m_settings};
    std::unique_ptr<FormMenu> m_formMenu;
    HWND m_hwnd = nullptr;
    RulerFont m_font;
    RulerPainter m_painter;
    RECT m_grip{};               // Label1, the resize grip: an area of the window's own
    bool m_pictureShown = true; // the picture of the last DrawRuler is painted
    bool m_loaded = false;
    bool m_unloaded = false;
};
