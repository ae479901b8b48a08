#pragma once

#include <QObject>
#include <QPointF>
#include <QRect>

class QMouseEvent;
class QWidget;

// Moves or stretches a window by hand while a mouse button is held, for when
// the window manager cannot do it: there is none, or the button is not the
// left one, which is the only button its interactive move and resize follow.
// It watches the widget that holds the implicit grab of the press and ends
// itself when that button is released.
class PointerFollower : public QObject
{
    Q_OBJECT
public:
    enum class Mode
    {
        Move,
        ResizeBottomRight,
    };

    static void start(QWidget *window, QWidget *grabber, const QMouseEvent &press, Mode mode);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PointerFollower(QWidget *window, QWidget *grabber, const QMouseEvent &press, Mode mode);

    QWidget *m_window;
    Mode m_mode;
    Qt::MouseButton m_button;
    QPointF m_pressGlobal;
    QRect m_startGeometry;
};
