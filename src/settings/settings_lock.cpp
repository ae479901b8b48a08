#include "settings_lock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

namespace {
constexpr int waitMilliseconds = 300;
} // namespace

#ifdef Q_OS_UNIX

struct SettingsLock::Held
{
    int folder = -1;
};

SettingsLock::SettingsLock(const QString &settingsPath)
{
    const QByteArray folderPath = QFile::encodeName(QFileInfo(settingsPath).absolutePath());
    const int folder = ::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    const QDeadlineTimer deadline(waitMilliseconds);
    while (::flock(folder, LOCK_EX | LOCK_NB) != 0) {
        if (deadline.hasExpired()) {
            ::close(folder);
            return;
        }
        QThread::usleep(200);
    }
    m_held = std::make_unique<Held>(Held{folder});
}

SettingsLock::~SettingsLock()
{
    if (m_held)
        ::close(m_held->folder); // which lets the lock go
}

#else

struct SettingsLock::Held
{
    QLockFile file;
};

SettingsLock::SettingsLock(const QString &settingsPath)
    : m_held(std::make_unique<Held>(Held{QLockFile(settingsPath + QStringLiteral(".lock"))}))
{
    m_held->file.setStaleLockTime(1000);
    if (!m_held->file.tryLock(waitMilliseconds))
        m_held.reset();
}

SettingsLock::~SettingsLock() = default;

#endif

bool SettingsLock::isHeld() const
{
    return m_held != nullptr;
}
