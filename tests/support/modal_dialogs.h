#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>

// Acts on the next modal dialog of type Dialog as soon as it is open, from
// inside its own event loop; looking stops when the returned timer goes. The
// action must close the dialog whatever it finds, so it only records.
template<class Dialog>
std::unique_ptr<QTimer> whenModalOpens(std::function<void(Dialog &)> action)
{
    auto poll = std::make_unique<QTimer>();
    QTimer *timer = poll.get();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        action(*dialog);
    });
    timer->start(10);
    return poll;
}
