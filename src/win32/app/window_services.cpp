#include "window_services.h"

#include <algorithm>

namespace {

void changeExtendedStyle(HWND window, LONG_PTR set, LONG_PTR clear)
{
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
    SetWindowLongPtrW(window, GWL_EXSTYLE, (style | set) & ~clear);
}

bool isAnyButtonDown()
{
    for (const int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2}) {
        if (GetAsyncKeyState(button) < 0)
            return true;
    }
    return false;
}

// A press on the non-client part named by hitTest, at the pointer, handed to
// Windows: the mouse is let go first, or Windows would not start its loop.
// A press already released by now (a quick click) starts nothing: under Wine
// the window manager would take the move over from the keyboard instead,
// and keep the arrow keys until the next click.
void pressNonClient(HWND window, WPARAM hitTest)
{
    if (!isAnyButtonDown())
        return;
    const DWORD at = GetMessagePos();
    ReleaseCapture();
    SendMessageW(window, WM_NCLBUTTONDOWN, hitTest, LPARAM(at));
}

} // namespace

void SetWindowAlpha(HWND window, int alpha)
{
    changeExtendedStyle(window, WS_EX_LAYERED, 0);
    SetLayeredWindowAttributes(window, 0, BYTE(std::clamp(alpha, 0, 255)), LWA_ALPHA);
}

void SetTaskbarPresence(HWND window, bool show)
{
    if (show)
        changeExtendedStyle(window, WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    else
        changeExtendedStyle(window, WS_EX_TOOLWINDOW, WS_EX_APPWINDOW);
}

void setTopmost(HWND window, bool topmost)
{
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void BeginWindowDrag(HWND window)
{
    pressNonClient(window, HTCAPTION);
}

void beginCornerResize(HWND window)
{
    pressNonClient(window, HTBOTTOMRIGHT);
}
