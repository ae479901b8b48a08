#pragma once

#include <windows.h>

// The window operations that the ruler asks of Windows. None reports a
// failure: a refused change passes silently.

// Opacity from 0 (invisible) to 255 (opaque), through the layered style,
// which every call sets, for 255 too. Values outside are brought into range.
void SetWindowAlpha(HWND window, int alpha);

// Whether the window has a taskbar button. Windows gives every unowned
// window one unless it is a tool window, so the two styles change together.
// Takes effect when the window is next shown.
void SetTaskbarPresence(HWND window, bool show);

// Floats the window above all others that do not float, or puts it back among
// them, without moving, resizing or activating it.
void setTopmost(HWND window, bool topmost);

// Windows' own interactive move, as if the window's caption were pressed:
// it follows the pointer until the button is released.
void BeginWindowDrag(HWND window);

// Windows' own interactive resize from the window's bottom-right corner.
void beginCornerResize(HWND window);
