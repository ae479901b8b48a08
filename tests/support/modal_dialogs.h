#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// The texts of the help window and the calibration tip, both about boxes.
inline const QString helpText = QStringLiteral(
    "操作指南:\r\n\r\n1、方向键可以移动刻度尺。\r\n\r\n2、Shift+方向键可以更精确地移动刻度尺"
    "\r\n\r\n3、按[+]增大透明度，按[-]减少透明度\r\n\r\n4、在刻度尺右下角处可以拉伸刻度尺"
    "\r\n\r\n    此时鼠标光标会变成拉伸的形状");
inline const QString tipText =
    QStringLiteral("** 没有校正值，请在菜单中选择[输入校正值]以校正刻度尺。");

enum class Openings
{
    Next,
    Every,
};

// Acts on the next modal dialog of type Dialog as soon as it is open, from
// inside its own event loop, or on every one until the returned timer goes.
// The action must close the dialog whatever it finds, so it only records.
template<class Dialog>
std::unique_ptr<QTimer> whenModalOpens(std::function<void(Dialog &)> action,
                                       Openings openings = Openings::Next)
{
    auto poll = std::make_unique<QTimer>();
    QTimer *timer = poll.get();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, openings] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        if (openings == Openings::Next)
            timer->stop();
        action(*dialog);
    });
    timer->start(10);
    return poll;
}

// Whether the open dialog closes within half a second: an access key presses
// its button in an animated click. One still open is rejected, so that its
// exec() returns.
inline bool closesSoon(QDialog &dialog)
{
    const bool closed = QTest::qWaitFor([&] { return !dialog.isVisible(); }, 500);
    if (!closed)
        dialog.reject();
    return closed;
}
