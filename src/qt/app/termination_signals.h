#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// The end of a desktop session, kill, or a closed terminal (SIGTERM, SIGHUP,
// SIGINT) would end the program on the spot and lose what only a close
// stores. While an object of this class lives, each of them instead runs the
// given step once, from the event loop.
//
// A signal handler may do next to nothing safely: it writes one byte to a
// socket, and the event loop, woken by it, runs the step.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(std::function<void()> onTermination);
    ~TerminationSignals() override;

private:
    void received();

    std::function<void()> m_onTermination;
    QSocketNotifier *m_notifier = nullptr;
};
