#include "window_services.h"

#include "pointer_follower.h"
#include "x11_window_state.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

void SetWindowAlpha(QWidget *window, int alpha)
{
    window->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
    // The xcb plugin writes _NET_WM_WINDOW_OPACITY without flushing.
    X11WindowState::flush();
}

void SetTaskbarPresence(QWidget *window, bool show)
{
    window->winId(); // the hint lives on the native window, which must exist
    X11WindowState::setSkipTaskbar(window->windowHandle(), !show);
}

void setTopmost(QWidget *window, bool topmost)
{
    // QWidget::setWindowFlags would destroy and re-create a native window,
    // hiding it and dropping the hints set on it; QWindow changes the state
    // of a shown window in place. Before the native window exists, the
    // widget's own flag is all there is to set.
    if (QWindow *handle = window->windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, topmost);
    else
        window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
}

namespace {

// The window manager's move and resize follow the left button only; a press
// of another button is followed by hand, or it would keep the window on the
// pointer after that button is released.
bool windowManagerTakesOver(QWidget *window, const QMouseEvent &press,
                            X11WindowState::MoveResize kind)
{
    QWindow *handle = window->windowHandle();
    if (press.button() != Qt::LeftButton || !handle)
        return false;
    if (X11WindowState::available())
        return X11WindowState::beginMoveResize(handle, kind);
    return kind == X11WindowState::MoveResize::Move
               ? handle->startSystemMove()
               : handle->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
}

} // namespace

void BeginWindowDrag(QWidget *window, QWidget *pressed, const QMouseEvent &press)
{
    if (!windowManagerTakesOver(window, press, X11WindowState::MoveResize::Move))
        PointerFollower::start(window, pressed, press, PointerFollower::Mode::Move);
}

void beginCornerResize(QWidget *window, QWidget *pressed, const QMouseEvent &press)
{
    if (!windowManagerTakesOver(window, press, X11WindowState::MoveResize::SizeBottomRight))
        PointerFollower::start(window, pressed, press, PointerFollower::Mode::ResizeBottomRight);
}
