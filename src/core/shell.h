#pragma once

#include "geometry.h"
#include "scale/text_measure.h"

#include <vector>

// What the ruler window asks of the window system it runs on. Geometry is in
// the window system's logical pixels; how many twips make one is the
// shell's to say, from the window's screen. Nothing here reports a failure:
// a refused change passes silently.
class Shell
{
public:
    virtual ~Shell() = default;

    virtual Rect windowGeometry() const = 0;
    virtual void moveWindow(Point topLeft) = 0;
    // May lay the window out again at once, before it returns.
    virtual void resizeWindow(Size size) = 0;
    // Every screen, and the desktop they make together.
    virtual std::vector<Rect> screens() const = 0;
    virtual Rect desktop() const = 0;
    // The screen the window is on.
    virtual Rect windowScreen() const = 0;
    virtual double twipsPerPixel() const = 0;
    // Device pixels per logical pixel of the window's screen.
    virtual double devicePixelRatio() const = 0;

    // 0 invisible to 255 opaque.
    virtual void setOpacity(int alpha) = 0;
    virtual void setTopmost(bool topmost) = 0;
    // Takes effect in the taskbar when the window is next shown.
    virtual void setTaskbarPresence(bool show) = 0;

    // The resize grip's place in the window, in window coordinates.
    virtual void placeGrip(Rect area) = 0;
    // Shows the ruler window's picture anew.
    virtual void showPicture() = 0;
    // The ruler's font as the window paints it, measured in device pixels at
    // the window's current ratio.
    virtual const TextMeasure &textMeasure() = 0;
};
