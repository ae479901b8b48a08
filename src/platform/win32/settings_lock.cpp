#include "file_handle.h"
#include "text_conversion.h"
#include "win32_file_system.h"

#include <chrono>
#include <thread>

namespace {

// As long as on any other system: only a ruler stopped in the middle of a
// write holds the lock longer, and then the write goes ahead after this.
constexpr std::chrono::milliseconds waitTime(5000);

class LockOnFile final : public FileSystem::Lock
{
public:
    LockOnFile(HANDLE lockFile, bool &inChange, FileHandle &fileInChange)
        : m_lockFile(lockFile)
        , m_inChange(inChange)
        , m_fileInChange(fileInChange)
    {
        m_inChange = true;
    }
    // Closing the lock file would let the lock go too, but only "in a time
    // that depends on available system resources"; another ruler may be
    // waiting. The settings file is closed first, so that the next ruler may
    // replace it at once.
    ~LockOnFile() override
    {
        m_fileInChange = FileHandle();
        m_inChange = false;
        if (m_lockFile)
            UnlockFile(m_lockFile, 0, 0, 1, 0);
    }

    LockOnFile(const LockOnFile &) = delete;
    LockOnFile &operator=(const LockOnFile &) = delete;

private:
    HANDLE m_lockFile; // locked; null where no lock could be had
    bool &m_inChange;
    FileHandle &m_fileInChange;
};

bool lockedWithinWaitTime(HANDLE file)
{
    const auto deadline = std::chrono::steady_clock::now() + waitTime;
    OVERLAPPED firstByte{};
    while (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                       &firstByte)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace

std::unique_ptr<FileSystem::Lock> Win32FileSystem::lock(const std::string &path) const
{
    if (!m_lockFile || m_lockFilePath != path) {
        m_lockFile = FileHandle(CreateFileW((widePath(path) + L".lock").c_str(),
                                            GENERIC_READ | GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
        m_lockFilePath = path;
    }
    const bool locked = m_lockFile && lockedWithinWaitTime(m_lockFile.get());
    return std::make_unique<LockOnFile>(locked ? m_lockFile.get() : nullptr, m_inChange,
                                        m_fileInChange);
}
