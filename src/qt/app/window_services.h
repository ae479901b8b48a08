#pragma once

class QMouseEvent;
class QWidget;

// The window operations that the rest of the ruler asks of the window system.
// None reports a failure: a refused change passes silently.

// Opacity from 0 (invisible) to 255 (opaque); values outside are brought into range.
void SetWindowAlpha(QWidget *window, int alpha);

// Whether the window has a taskbar (and pager) entry. Takes effect in the
// taskbar when the window is next shown. Creates the native window.
void SetTaskbarPresence(QWidget *window, bool show);

// Floats the window above all others, or puts it back among them, without
// moving, resizing, hiding or re-creating it. On a window not shown yet, it
// must come before the native window is created.
void setTopmost(QWidget *window, bool topmost);

// The window manager's interactive move, started by a press on the window,
// following the pointer until the pressed button is released.
void BeginWindowDrag(QWidget *window, QWidget *pressed, const QMouseEvent &press);

// The window manager's interactive resize from the window's bottom-right
// corner, started by a press on the grip.
void beginCornerResize(QWidget *window, QWidget *pressed, const QMouseEvent &press);
