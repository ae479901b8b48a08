#include "posix_file_system.h"

#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

// A holder needs well under a millisecond, but one whose rename waits on a
// busy disk's journal holds the lock for as long: close to a second was seen
// on a loaded machine. Only a ruler stopped in the middle of a write holds
// it longer, and then the write goes ahead after this.
constexpr std::chrono::milliseconds waitTime(5000);

class FolderLock final : public FileSystem::Lock
{
public:
    explicit FolderLock(int folder)
        : m_folder(folder)
    {}
    ~FolderLock() override
    {
        if (m_folder >= 0)
            ::close(m_folder); // which lets the lock go
    }

    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

private:
    int m_folder; // the locked folder, open; -1 where none could be locked
};

int lockedFolder(const std::string &settingsPath)
{
    const int folder = ::open(folderOf(settingsPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return -1;
    const auto deadline = std::chrono::steady_clock::now() + waitTime;
    while (::flock(folder, LOCK_EX | LOCK_NB) != 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::close(folder);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return folder;
}

} // namespace

std::unique_ptr<FileSystem::Lock> PosixFileSystem::lock(const std::string &path) const
{
    return std::make_unique<FolderLock>(lockedFolder(path));
}
