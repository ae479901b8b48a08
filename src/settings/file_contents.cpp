#include "file_contents.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <fcntl.h>
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
    // The mode given to open() is cut by the umask; the old file's mode is kept whole.
    bool written = writeAll(file, contents) && (!existed || ::fchmod(file, mode) == 0);
    written = ::close(file) == 0 && written;
    if (!written || !takeName(replacement, target, existed)) {
        ::unlink(replacement.constData());
        return false;
    }
    return true;
}
