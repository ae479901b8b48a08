#pragma once

#include "core/commands/dialog_area.h"

#include <windows.h>

class DialogTemplate;

// A dialog run modally by Windows' dialog manager, so that Tab, Enter,
// Escape and the access keys work as in every dialog. A subclass builds its
// template, lays its controls out in twips when the dialog is made, and
// answers its controls' commands. Closing the dialog by the window system's
// own means ends it with IDCANCEL.
class ModalDialog
{
public:
    virtual ~ModalDialog() = default;

protected:
    // Runs the dialog over owner until end() is called; returns end()'s result.
    INT_PTR run(HWND owner, const DialogTemplate &form, bool topmost);
    void end(INT_PTR result);

    HWND hwnd() const { return m_hwnd; }
    HWND owner() const { return m_owner; }
    HWND item(int id) const { return GetDlgItem(m_hwnd, id); }
    double twipsPerPixel() const;
    int toPixels(double twips) const;

    // Gives the dialog this client size and puts it in the middle of the
    // owner's screen.
    void setClientSizeTwips(double width, double height);
    void placeTwips(int id, const DialogArea &area);
    // The dialog's own font, which its controls use.
    HFONT font() const;

    // Lays the controls out and fills them; returns whether the dialog
    // manager is to give the focus to the first control itself.
    virtual bool onInit() = 0;
    virtual void onCommand(int id, int code) = 0;
    // Any other message; returns what the dialog procedure returns.
    virtual INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    HWND m_owner = nullptr;
    bool m_topmost = false;
};
