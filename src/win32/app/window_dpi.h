#pragma once

#include <windows.h>

// The program declares itself aware of each screen's own resolution
// (per-monitor v2, in its manifest): Windows then counts every window and
// screen in that screen's device pixels, and says how many make an inch.
namespace WindowDpi {

inline constexpr unsigned standard = 96;

// The dots per inch of the screen the window is on. Systems older than
// Windows 10 know one resolution for the whole desktop, and give that.
unsigned of(HWND window);

// The window rectangle around a client rectangle, with the frame that a
// window of these styles has on a screen of this resolution.
RECT frameAround(RECT client, DWORD style, DWORD extendedStyle, unsigned dpi);

// The user interface's font, the system's message font, at the given dots
// per inch. The caller deletes it.
HFONT createMessageFont(unsigned dpi);

} // namespace WindowDpi
