#include "settings_lock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr int waitMilliseconds = 300;
} // namespace

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
    m_folder = folder;
}

SettingsLock::~SettingsLock()
{
    if (m_folder >= 0)
        ::close(m_folder); // which lets the lock go
}
