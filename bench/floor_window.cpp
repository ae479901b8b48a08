// The least a Win32 window does: a borderless popup that fills itself when
// it is asked to paint, and lets the system stretch it from its bottom-right
// corner, and nothing else. ruler.exe's launch and resize steps are measured
// against it (scripts/bench-windows), driven the same way: a drag from the
// corner, which the system's own sizing loop follows.

#include <windows.h>
#include <windowsx.h>

namespace {

constexpr int cornerSize = 16; // pixels

LRESULT CALLBACK floorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    case WM_NCHITTEST: {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &point);
        RECT client;
        GetClientRect(window, &client);
        const bool corner =
            point.x >= client.right - cornerSize && point.y >= client.bottom - cornerSize;
        return corner ? HTBOTTOMRIGHT : HTCLIENT;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    WNDCLASSW floorClass{};
    floorClass.lpfnWndProc = floorProcedure;
    floorClass.hInstance = instance;
    floorClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    floorClass.lpszClassName = L"FloorWindow";
    RegisterClassW(&floorClass);

    // The ruler's first place and size, so that both start from the same area.
    const HWND window = CreateWindowExW(0, floorClass.lpszClassName, L"floor", WS_POPUP, 0, 0, 652,
                                        120, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return static_cast<int>(message.wParam);
}
