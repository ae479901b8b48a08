#include "termination_signals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include <utility>

namespace {

constexpr std::array handledSignals{SIGTERM, SIGHUP, SIGINT};

// Written by the handler, read by the event loop. One pair per process.
int wakeSockets[2] = {-1, -1};

extern "C" void onSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // A full socket already holds a wake-up: nothing is lost by dropping this one.
    [[maybe_unused]] const ssize_t ignored = ::write(wakeSockets[0], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onTermination)
    : m_onTermination(std::move(onTermination))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, wakeSockets) != 0)
        return;
    m_notifier = new QSocketNotifier(wakeSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::received);

    struct sigaction action
    {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : handledSignals)
        ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier)
        return;
    for (int signal : handledSignals)
        std::signal(signal, SIG_DFL);
    ::close(wakeSockets[0]);
    ::close(wakeSockets[1]);
    wakeSockets[0] = wakeSockets[1] = -1;
}

void TerminationSignals::received()
{
    std::array<char, 64> bytes{};
    while (::read(wakeSockets[1], bytes.data(), bytes.size()) > 0) {
    }
    // A second signal while the step runs finds it done; the program is ending.
    if (auto step = std::exchange(m_onTermination, nullptr))
        step();
}
