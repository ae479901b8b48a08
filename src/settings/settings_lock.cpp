#include "settings_lock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
// A holder needs well under a millisecond, but one whose rename waits on a
// busy disk's journal holds the lock for as long: close to a second was seen
// on a loaded machine. Only a ruler stopped in the middle of a write holds
// it longer, and then the write goes ahead after this.
constexpr int waitMilliseconds = 5000;
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
