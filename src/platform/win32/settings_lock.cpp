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
    explicit LockOnFile(FileHandle file)
        : m_file(std::move(file))
    {}
    // Closing the file would let the lock go too, but only "in a time that
    // depends on available system resources"; another ruler may be waiting.
    ~LockOnFile() override
    {
        if (m_file)
            UnlockFile(m_file.get(), 0, 0, 1, 0);
    }

    LockOnFile(const LockOnFile &) = delete;
    LockOnFile &operator=(const LockOnFile &) = delete;

private:
    FileHandle m_file; // locked; empty where no lock could be had
};

FileHandle lockedFile(const std::string &settingsPath)
{
    FileHandle file(CreateFileW((widePath(settingsPath) + L".lock").c_str(),
                                GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!file)
        return file;
    const auto deadline = std::chrono::steady_clock::now() + waitTime;
    OVERLAPPED firstByte{};
    while (!LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                       &firstByte)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return {};
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return file;
}

} // namespace

std::unique_ptr<FileSystem::Lock> Win32FileSystem::lock(const std::string &path) const
{
    return std::make_unique<LockOnFile>(lockedFile(path));
}
