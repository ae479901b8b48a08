#include "posix_file_system.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace {

bool writeAll(int file, const std::string &contents)
{
    size_t done = 0;
    while (done < contents.size()) {
        const ssize_t wrote = ::write(file, contents.data() + done, contents.size() - done);
        if (wrote <= 0)
            return false;
        done += wrote;
    }
    return true;
}

bool writeInPlace(const std::string &path, const std::string &contents)
{
    const int file = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (file < 0)
        return false;
    const bool written = writeAll(file, contents);
    return ::close(file) == 0 && written;
}

// Gives the replacement the target's name in one step. The old file, which
// an exchange leaves under the replacement's name, is removed.
bool takeName(const std::string &replacement, const std::string &target,
              [[maybe_unused]] bool targetExists)
{
#ifdef RENAME_EXCHANGE
    if (targetExists && ::renameat2(AT_FDCWD, replacement.c_str(), AT_FDCWD, target.c_str(),
                                    RENAME_EXCHANGE) == 0) {
        ::unlink(replacement.c_str());
        return true;
    }
#endif
    return ::rename(replacement.c_str(), target.c_str()) == 0;
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
bool mayLeaveToWriteback(const std::string &target, const struct stat *current,
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
    static std::unordered_map<std::string, MadeHere> madeHere;

    const std::lock_guard lock(guard);
    const Clock::time_point now = Clock::now();
    if (!current) {
        madeHere.insert_or_assign(target, MadeHere{replacement.st_dev, replacement.st_ino, now});
        return true;
    }
    const auto found = madeHere.find(target);
    if (found == madeHere.end())
        return false;
    MadeHere &made = found->second;
    if (made.device != current->st_dev || made.inode != current->st_ino ||
        now - made.made > std::chrono::seconds(1)) {
        madeHere.erase(found);
        return false;
    }
    made.inode = replacement.st_ino;
    return true;
}

// Makes a change of names in path's folder survive a power cut.
void syncFolderOf(const std::string &path)
{
    const int handle = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    ::fsync(handle);
    ::close(handle);
}

// The file that a path names, through a symbolic link where it is one.
std::string resolved(const std::string &path)
{
    struct stat info
    {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char *real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string target(real);
    ::free(real);
    return target;
}

} // namespace

std::string folderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".")
           : slash == 0               ? std::string("/")
                                      : path.substr(0, slash);
}

std::optional<std::string> PosixFileSystem::read(const std::string &path, std::size_t limit) const
{
    // Without O_NONBLOCK a named pipe posing as the file would hold the
    // program up until something wrote to it.
    const int file = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0)
        return std::nullopt;
    std::string text;
    char piece[16384];
    ssize_t got = 0;
    while ((got = ::read(file, piece, sizeof piece)) > 0 && text.size() <= limit)
        text.append(piece, size_t(got));
    const int readError = got < 0 && errno != EAGAIN ? errno : 0;
    ::close(file);
    if (readError != 0 || text.size() > limit) {
        errno = readError != 0 ? readError : EFBIG;
        return std::nullopt;
    }
    return text;
}

bool PosixFileSystem::overwrite(const std::string &path, const std::string &contents) const
{
    constexpr size_t pageBytes = 4096;
    if (contents.size() > pageBytes)
        return false;
    // Non-blocking, so that a pipe posing as the file fails to open rather
    // than waiting for a reader.
    const int file = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file < 0)
        return false;
    struct stat info
    {};
    const bool sameShape = ::fstat(file, &info) == 0 && S_ISREG(info.st_mode) &&
                           info.st_size == off_t(contents.size());
    const bool written = sameShape && writeAll(file, contents);
    return ::close(file) == 0 && written;
}

bool PosixFileSystem::replace(const std::string &path, const std::string &contents) const
{
    const std::string target = resolved(path);
    struct stat info
    {};
    const bool existed = ::stat(target.c_str(), &info) == 0;
    // A file that we may not write stays as it is: a new file taking its name
    // would get round the read-only mark a user gave it.
    if (existed && ::access(target.c_str(), W_OK) != 0)
        return false;

    // One name per process: two rulers never write each other's new file.
    static const std::string suffix = '.' + std::to_string(::getpid()) + ".new";
    const std::string replacement = target + suffix;
    const mode_t mode = existed ? (info.st_mode & 07777) : 0666;
    const int file = ::open(replacement.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
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
        ::unlink(replacement.c_str());
        return false;
    }
    // The new contents are in place either way: a folder that fails to sync
    // is no reason to report the write as failed.
    if (wait)
        syncFolderOf(target);
    return true;
}
