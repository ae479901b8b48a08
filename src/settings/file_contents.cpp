#include "file_contents.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int file, const QByteArray &contents)
{
    qsizetype done = 0;
    while (done < contents.size()) {
        const ssize_t wrote =
            ::write(file, contents.constData() + done, size_t(contents.size() - done));
        if (wrote <= 0)
            return false;
        done += wrote;
    }
    return true;
}

bool writeInPlace(const QByteArray &path, const QByteArray &contents)
{
    const int file = ::open(path.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (file < 0)
        return false;
    const bool written = writeAll(file, contents);
    return ::close(file) == 0 && written;
}

// Gives the replacement the target's name in one step. The old file, which
// an exchange leaves under the replacement's name, is removed.
bool takeName(const QByteArray &replacement, const QByteArray &target, bool targetExists)
{
#ifdef RENAME_EXCHANGE
    if (targetExists && ::renameat2(AT_FDCWD, replacement.constData(), AT_FDCWD, target.constData(),
                                    RENAME_EXCHANGE) == 0) {
        ::unlink(replacement.constData());
        return true;
    }
#else
    Q_UNUSED(targetExists);
#endif
    return ::rename(replacement.constData(), target.constData()) == 0;
}

// Whether a replacement of target may skip waiting for the disk. Without the
// waits, ext4 allocates the new file's blocks only at writeback, and guards a
// rename over a file with an early flush but not an exchange: a power cut
// after the exchange could leave the name on an empty file, every setting
// lost. The one exception is a file that this process made where there was
// none, within a second of making it, and that no one else has replaced
// since (it is still the file we put there): a first start writes its keys
// in a row. All such a file holds was written by this run moments ago, so a
// power cut loses nothing that was safe on the disk before. After that second
// the kernel may have written it out and the user may have changed something
// worth keeping, so it is waited for like any other.
//
// current is the file that target names now, or null where there is none;
// replacement is the new file about to take the name.
bool mayLeaveToWriteback(const QByteArray &target, const struct stat *current,
                         const struct stat &replacement)
{
    using Clock = std::chrono::steady_clock;
    struct MadeHere
    {
        dev_t device;
        ino_t inode;
        Clock::time_point made;
    };
    static std::mutex guard;
    static QHash<QByteArray, MadeHere> madeHere;

    const std::lock_guard lock(guard);
    const Clock::time_point now = Clock::now();
    if (!current) {
        madeHere.insert(target, {replacement.st_dev, replacement.st_ino, now});
        return true;
    }
    const auto found = madeHere.find(target);
    if (found == madeHere.end())
        return false;
    if (found->device != current->st_dev || found->inode != current->st_ino ||
        now - found->made > std::chrono::seconds(1)) {
        madeHere.erase(found);
        return false;
    }
    found->inode = replacement.st_ino;
    return true;
}

// Makes a change of names in path's folder survive a power cut.
void syncFolderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0    ? QByteArray(".")
                              : slash == 0 ? QByteArray("/")
                                           : path.left(slash);
    const int handle = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    ::fsync(handle);
    ::close(handle);
}

// The file that a path names, through a symbolic link where it is one.
QByteArray resolved(const QByteArray &path)
{
    struct stat info
    {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char *real = ::realpath(path.constData(), nullptr);
    if (!real)
        return path;
    QByteArray target(real);
    ::free(real);
    return target;
}

} // namespace

std::optional<QByteArray> readFileContents(const QString &path, qsizetype limit)
{
    // Without O_NONBLOCK a named pipe posing as the file would hold the
    // program up until something wrote to it.
    const int file = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0)
        return std::nullopt;
    QByteArray text;
    char piece[16384];
    ssize_t got = 0;
    while ((got = ::read(file, piece, sizeof piece)) > 0 && text.size() <= limit)
        text.append(piece, got);
    const int readError = got < 0 && errno != EAGAIN ? errno : 0;
    ::close(file);
    if (readError != 0 || text.size() > limit) {
        errno = readError != 0 ? readError : EFBIG;
        return std::nullopt;
    }
    return text;
}

bool overwriteFileContents(const QString &path, const QByteArray &contents)
{
    constexpr qsizetype pageBytes = 4096;
    if (contents.size() > pageBytes)
        return false;
    // Non-blocking, so that a pipe posing as the file fails to open rather
    // than waiting for a reader.
    const int file =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file < 0)
        return false;
    struct stat info
    {};
    const bool sameShape =
        ::fstat(file, &info) == 0 && S_ISREG(info.st_mode) && info.st_size == contents.size();
    const bool written = sameShape && writeAll(file, contents);
    return ::close(file) == 0 && written;
}

bool replaceFileContents(const QString &path, const QByteArray &contents)
{
    const QByteArray target = resolved(QFile::encodeName(path));
    struct stat info
    {};
    const bool existed = ::stat(target.constData(), &info) == 0;
    // A file that we may not write stays as it is: a new file taking its name
    // would get round the read-only mark a user gave it.
    if (existed && ::access(target.constData(), W_OK) != 0)
        return false;

    // One name per process: two rulers never write each other's new file.
    static const QByteArray suffix =
        '.' + QByteArray::number(QCoreApplication::applicationPid()) + ".new";
    const QByteArray replacement = target + suffix;
    const mode_t mode = existed ? (info.st_mode & 07777) : 0666;
    const int file =
        ::open(replacement.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (file < 0)
        return existed && writeInPlace(target, contents);
    struct stat made
    {};
    const bool wait =
        ::fstat(file, &made) != 0 || !mayLeaveToWriteback(target, existed ? &info : nullptr, made);
    // The mode given to open() is cut by the umask; the old file's mode is kept whole.
    bool written = writeAll(file, contents) && (!existed || ::fchmod(file, mode) == 0) &&
                   (!wait || ::fdatasync(file) == 0);
    written = ::close(file) == 0 && written;
    if (!written || !takeName(replacement, target, existed)) {
        ::unlink(replacement.constData());
        return false;
    }
    // The new contents are in place either way: a folder that fails to sync
    // is no reason to report the write as failed.
    if (wait)
        syncFolderOf(target);
    return true;
}
