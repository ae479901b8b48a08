#include "ruler_window.h"

#include "app/wide_text.h"
#include "app/window_dpi.h"
#include "app/window_services.h"
#include "core/commands/about_text.h"
#include "core/ruler/twips.h"
#include "geometry_conversion.h"
#include "menu/form_menu.h"

#include <optional>
#include <windowsx.h>

namespace {

constexpr wchar_t className[] = L"OstrelRuler";
// The program's icon in its resources.
constexpr WORD iconId = 1;

void registerClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon =
        HICON(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                         GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm =
        HICON(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
}

std::optional<RulerKey> rulerKey(WPARAM virtualKey)
{
    switch (virtualKey) {
    case VK_ADD:
    case VK_OEM_PLUS:
        return RulerKey::Plus;
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
        return RulerKey::Minus;
    case VK_UP:
        return RulerKey::Up;
    case VK_DOWN:
        return RulerKey::Down;
    case VK_LEFT:
        return RulerKey::Left;
    case VK_RIGHT:
        return RulerKey::Right;
    default:
        return std::nullopt;
    }
}

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM screens)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<Rect> *>(screens)->push_back(toCore(info.rcMonitor));
    return TRUE;
}

} // namespace

Form1::Form1(RulerSettings settings)
    : m_settings(std::move(settings))
{}

Form1::~Form1()
{
    if (m_hwnd)
        DestroyWindow(m_hwnd);
}

void Form1::show()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(instance, windowProc);
    const std::wstring title = wideFromUtf8(AboutText::productTitle);
    CreateWindowExW(0, className, title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                    this);
    if (!m_hwnd)
        return;
    m_font.setDpi(WindowDpi::of(m_hwnd));
    const Size design = m_behaviour.designSize();
    SetWindowPos(m_hwnd, nullptr, 0, 0, design.width, design.height, SWP_NOZORDER | SWP_NOACTIVATE);

    m_formMenu = std::make_unique<FormMenu>(*this);
    m_behaviour.Form_Load(m_formMenu->commands());
    m_loaded = true;
    // The first layout restores the stored size and position while the
    // window is still hidden, so that it shows where it belongs at once.
    m_behaviour.Form_Resize();
    ShowWindow(m_hwnd, SW_SHOW);
}

void Form1::close()
{
    SendMessageW(m_hwnd, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK Form1::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *window =
            static_cast<Form1 *>(reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpCreateParams);
        window->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(window));
    }
    auto *window = reinterpret_cast<Form1 *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        window->m_hwnd = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return window->handle(message, wParam, lParam);
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the image covers every pixel
    case WM_SIZE:
        onSize();
        return 0;
    case WM_LBUTTONDOWN:
        onPress(PointerButton::Left, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        onPress(PointerButton::Right, lParam);
        return 0;
    case WM_MBUTTONDOWN:
        onPress(PointerButton::Middle, lParam);
        return 0;
    case WM_XBUTTONDOWN:
        onPress(PointerButton::Other, lParam);
        return TRUE;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && onSetCursor())
            return TRUE;
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: // Alt with the key: Alt changes nothing
        if (onKeyDown(wParam))
            return 0;
        break;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    case WM_DISPLAYCHANGE:
        if (m_loaded)
            m_behaviour.repaintWithStoredUnit();
        return 0;
    case WM_CLOSE:
        unload();
        DestroyWindow(m_hwnd);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // The program may be ended as soon as this returns.
        if (wParam)
            unload();
        return 0;
    case WM_DESTROY:
        unload();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

void Form1::onPaint()
{
    if (!m_pictureShown) {
        m_painter.paint(m_behaviour.picture(), m_font.handle());
        m_pictureShown = true;
    }
    PAINTSTRUCT paint;
    HDC target = BeginPaint(m_hwnd, &paint);
    m_painter.copyTo(target, paint.rcPaint);
    EndPaint(m_hwnd, &paint);
}

void Form1::onSize()
{
    // Windows sizes the window while it is made, before it loads.
    if (m_loaded)
        m_behaviour.Form_Resize();
}

void Form1::onPress(PointerButton button, LPARAM clientPoint)
{
    POINT at{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    switch (RulerWindow::pressAction(button, PtInRect(&m_grip, at))) {
    case PressAction::OpenMenu:
        ClientToScreen(m_hwnd, &at);
        m_formMenu->popup(at);
        break;
    case PressAction::Move:
        BeginWindowDrag(m_hwnd);
        break;
    case PressAction::ResizeFromCorner:
        beginCornerResize(m_hwnd);
        break;
    }
}

bool Form1::onSetCursor()
{
    // The diagonal double arrow exactly over the grip.
    POINT at;
    GetCursorPos(&at);
    ScreenToClient(m_hwnd, &at);
    SetCursor(LoadCursorW(nullptr, PtInRect(&m_grip, at) ? IDC_SIZENWSE : IDC_ARROW));
    return true;
}

bool Form1::onKeyDown(WPARAM virtualKey)
{
    const std::optional<RulerKey> key = rulerKey(virtualKey);
    if (!key)
        return false;
    m_behaviour.keyDown(*key, GetKeyState(VK_SHIFT) < 0);
    return true;
}

void Form1::onDpiChanged(unsigned dpi, const RECT &suggested)
{
    // Moved onto a screen of another resolution: Windows suggests the size
    // that keeps the ruler's inches, and the font is made for the new screen.
    m_font.setDpi(dpi);
    SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_loaded)
        m_behaviour.repaintWithStoredUnit();
}

void Form1::unload()
{
    if (!m_loaded || m_unloaded)
        return;
    m_unloaded = true;
    m_behaviour.Form_Unload();
}

Rect Form1::windowGeometry() const
{
    RECT window{};
    GetWindowRect(m_hwnd, &window);
    return toCore(window);
}

void Form1::moveWindow(Point topLeft)
{
    SetWindowPos(m_hwnd, nullptr, topLeft.x, topLeft.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::resizeWindow(Size size)
{
    // Windows sends WM_SIZE before this returns, which lays the window out.
    SetWindowPos(m_hwnd, nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<Rect> Form1::screens() const
{
    std::vector<Rect> found;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, LPARAM(&found));
    return found;
}

Rect Form1::desktop() const
{
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

Rect Form1::windowScreen() const
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTONEAREST), &info);
    return toCore(info.rcMonitor);
}

double Form1::twipsPerPixel() const
{
    return Twips::perInch / WindowDpi::of(m_hwnd);
}

double Form1::devicePixelRatio() const
{
    // Windows' pixels are the screen's own.
    return 1;
}

void Form1::setOpacity(int alpha)
{
    SetWindowAlpha(m_hwnd, alpha);
}

void Form1::setTopmost(bool topmost)
{
    ::setTopmost(m_hwnd, topmost);
}

void Form1::setTaskbarPresence(bool show)
{
    SetTaskbarPresence(m_hwnd, show);
}

void Form1::placeGrip(Rect area)
{
    m_grip = toWindows(area);
}

const TextMeasure &Form1::textMeasure()
{
    return m_font;
}

void Form1::showPicture()
{
    // Painted when Windows asks for it: the first picture's fonts load while
    // the window is on its way to the screen, and the steps of a drag that
    // come faster than the screen takes them are laid out only once.
    m_pictureShown = false;
    InvalidateRect(m_hwnd, nullptr, FALSE);
}
