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

// Qt writes some properties lazily; this sends them to the server now.
void flush();

} // namespace X11WindowState
