#include "pointer_follower.h"

#include <QMouseEvent>
#include <QWidget>

PointerFollower::PointerFollower(QWidget *window, QWidget *grabber, const QMouseEvent &press,
                                 Mode mode)
    : QObject(grabber)
    , m_window(window)
    , m_mode(mode)
    , m_button(press.button())
    , m_pressGlobal(press.globalPosition())
    , m_startGeometry(window->geometry())
{}

void PointerFollower::start(QWidget *window, QWidget *grabber, const QMouseEvent &press, Mode mode)
{
    grabber->installEventFilter(new PointerFollower(window, grabber, press, mode));
}

bool PointerFollower::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);

    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (event->type() == QEvent::MouseButtonRelease) {
        if (mouse->button() == m_button) {
            watched->removeEventFilter(this);
            deleteLater();
        }
        return true;
    }
    if (!(mouse->buttons() & m_button))
        return false; // the release went elsewhere; ignore stray moves
    const QPoint delta = (mouse->globalPosition() - m_pressGlobal).toPoint();
    if (m_mode == Mode::Move)
        m_window->move(m_startGeometry.topLeft() + delta);
    else
        m_window->resize(m_startGeometry.size() + QSize(delta.x(), delta.y()));
    return true;
}
