#include "modal_dialog.h"

#include "app/window_dpi.h"
#include "app/window_services.h"
#include "core/ruler/twips.h"
#include "dialog_template.h"

#include <algorithm>

INT_PTR ModalDialog::run(HWND owner, const DialogTemplate &form, bool topmost)
{
    m_owner = owner;
    m_topmost = topmost;
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), form.data(), owner, dialogProc,
                                   LPARAM(this));
}

void ModalDialog::end(INT_PTR result)
{
    EndDialog(m_hwnd, result);
}

double ModalDialog::twipsPerPixel() const
{
    return Twips::perInch / WindowDpi::of(m_hwnd);
}

int ModalDialog::toPixels(double twips) const
{
    return Twips::toPixels(twips, twipsPerPixel());
}

void ModalDialog::setClientSizeTwips(double width, double height)
{
    const RECT frame = WindowDpi::frameAround(
        {0, 0, toPixels(width), toPixels(height)}, DWORD(GetWindowLongPtrW(m_hwnd, GWL_STYLE)),
        DWORD(GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)), WindowDpi::of(m_hwnd));
    const int outerWidth = frame.right - frame.left;
    const int outerHeight = frame.bottom - frame.top;

    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    GetMonitorInfoW(MonitorFromWindow(m_owner, MONITOR_DEFAULTTONEAREST), &screen);
    const RECT &work = screen.rcWork;
    const int left = std::max(work.left, (work.left + work.right - outerWidth) / 2);
    const int top = std::max(work.top, (work.top + work.bottom - outerHeight) / 2);
    SetWindowPos(m_hwnd, nullptr, left, top, outerWidth, outerHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalDialog::placeTwips(int id, const DialogArea &area)
{
    // Every coordinate becomes whole pixels on its own, so that a control
    // keeps its designed size wherever it stands.
    SetWindowPos(item(id), nullptr, toPixels(area.left), toPixels(area.top), toPixels(area.width),
                 toPixels(area.height), SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT ModalDialog::font() const
{
    return HFONT(SendMessageW(m_hwnd, WM_GETFONT, 0, 0));
}

INT_PTR ModalDialog::onMessage(UINT, WPARAM, LPARAM)
{
    return FALSE;
}

INT_PTR CALLBACK ModalDialog::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto *dialog = reinterpret_cast<ModalDialog *>(lParam);
        dialog->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        if (dialog->m_topmost)
            setTopmost(hwnd, true);
        return dialog->onInit();
    }
    auto *dialog = reinterpret_cast<ModalDialog *>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!dialog)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        dialog->onCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        dialog->end(IDCANCEL);
        return TRUE;
    default:
        return dialog->onMessage(message, wParam, lParam);
    }
}
