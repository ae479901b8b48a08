#pragma once

class QWindow;

// The few X11 window-state hints that Qt has no API for. Each call does
// nothing on other platforms and where there is no X server.
namespace X11WindowState {

bool available();

// Adds or removes _NET_WM_STATE_SKIP_TASKBAR and _NET_WM_STATE_SKIP_PAGER: on
// the property of a window not yet mapped (the window manager reads it when
// the window is mapped), through the window manager for a mapped one.
void setSkipTaskbar(QWindow *window, bool skip);

enum class MoveResize
{
    Move,
    SizeBottomRight,
};

// Hands the pointer to the window manager's interactive move or resize of
// the window, from where the pointer is now, for as long as the left button
// is held. False where there is no window manager that offers it.
//
// Qt's own QWindow::startSystemMove() tells the window manager where the
// press happened from the window's position as Qt last heard it, which right
// after the window is first shown can be stale: the window then jumps by
// the difference as the drag begins.
bool beginMoveResize(QWindow *window, MoveResize kind);

// Qt queues some requests (a property written, a window mapped) until its
// event loop runs; this sends them to the server now.
void flush();

} // namespace X11WindowState
