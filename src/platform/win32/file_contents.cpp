#include "error_numbers.h"
#include "file_handle.h"
#include "text_conversion.h"
#include "win32_file_system.h"

#include <cerrno>
#include <chrono>
#include <thread>

namespace {

constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A read by another ruler takes well under a millisecond, a virus scanner's
// look at a new file some milliseconds: a rename refused for longer is
// refused for good.
constexpr std::chrono::milliseconds renameWait(100);

void setErrnoFromLastError()
{
    errno = errnoFor(GetLastError());
}

bool isFolder(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool writeAll(HANDLE file, const std::string &contents)
{
    size_t done = 0;
    while (done < contents.size()) {
        DWORD wrote = 0;
        if (!WriteFile(file, contents.data() + done, DWORD(contents.size() - done), &wrote,
                       nullptr) ||
            wrote == 0) {
            setErrnoFromLastError();
            return false;
        }
        done += wrote;
    }
    return true;
}

// The new text goes over the old before the file is cut to its length: a
// process that dies in between leaves every setting there, some perhaps
// twice, rather than an empty file.
bool writeInPlace(const std::wstring &path, const std::string &contents)
{
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, shareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        setErrnoFromLastError();
        return false;
    }
    if (!writeAll(file.get(), contents))
        return false;
    if (!SetEndOfFile(file.get())) {
        setErrnoFromLastError();
        return false;
    }
    return true;
}

bool isHeldOpen(DWORD error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
}

// Gives the replacement the target's name in one step, written through to
// the disk before it returns, so that the name survives a power cut.
bool takeName(const std::wstring &replacement, const std::wstring &target)
{
    const auto deadline = std::chrono::steady_clock::now() + renameWait;
    while (!MoveFileExW(replacement.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        if (!isHeldOpen(error) || std::chrono::steady_clock::now() >= deadline) {
            SetLastError(error);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// The file that a path names, through a symbolic link where it is one.
std::wstring resolved(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return path;
    const FileHandle file(CreateFileW(path.c_str(), 0, shareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file)
        return path;
    std::wstring target(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file.get(), target.data(), DWORD(target.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length >= target.size()) {
        target.resize(length);
        length = GetFinalPathNameByHandleW(file.get(), target.data(), DWORD(target.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    if (length == 0 || length >= target.size())
        return path;
    target.resize(length);
    return target;
}

} // namespace

std::optional<std::string> Win32FileSystem::read(const std::string &path, std::size_t limit) const
{
    const std::wstring name = widePath(path);
    // The read of a change under the lock opens the file for the write over
    // its bytes as well, and keeps it open until the change ends: one opening
    // of the file instead of two at every step of a drag.
    const bool inChange = m_inChange && path == m_lockFilePath;
    FileHandle file;
    if (inChange)
        file = FileHandle(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, shareAll, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        file = FileHandle(CreateFileW(name.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        // Windows denies the opening of a folder as a file: say what it is.
        const DWORD error = GetLastError();
        errno = error == ERROR_ACCESS_DENIED && isFolder(name) ? EISDIR : errnoFor(error);
        return std::nullopt;
    }
    std::string text;
    char piece[16384];
    DWORD got = 0;
    BOOL ok = FALSE;
    while ((ok = ReadFile(file.get(), piece, sizeof piece, &got, nullptr)) && got > 0 &&
           text.size() <= limit)
        text.append(piece, got);
    if (!ok) {
        setErrnoFromLastError();
        return std::nullopt;
    }
    if (text.size() > limit) {
        errno = EFBIG;
        return std::nullopt;
    }
    if (inChange)
        m_fileInChange = std::move(file);
    return text;
}

bool Win32FileSystem::overwrite(const std::string &path, const std::string &contents) const
{
    constexpr size_t pageBytes = 4096;
    if (contents.size() > pageBytes)
        return false;
    FileHandle opened;
    HANDLE file = m_fileInChange && path == m_lockFilePath ? m_fileInChange.get() : nullptr;
    if (!file) {
        opened = FileHandle(CreateFileW(widePath(path).c_str(), GENERIC_WRITE, shareAll, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!opened)
            return false;
        file = opened.get();
    }
    LARGE_INTEGER size{};
    const bool sameShape = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) &&
                           size.QuadPart == LONGLONG(contents.size()) &&
                           SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN);
    return sameShape && writeAll(file, contents);
}

bool Win32FileSystem::replace(const std::string &path, const std::string &contents) const
{
    // Windows refuses to rename over a file that any handle holds, this
    // process's own included.
    m_fileInChange = FileHandle();
    const std::wstring target = resolved(widePath(path));
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool existed = attributes != INVALID_FILE_ATTRIBUTES;
    if (existed && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        errno = EISDIR;
        return false;
    }
    // A new file taking its name would get round the read-only mark a user
    // gave it (Wine, unlike Windows, lets a rename replace such a file).
    if (existed && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        errno = EACCES;
        return false;
    }

    // One name per process: two rulers never write each other's new file.
    static const std::wstring suffix = L'.' + std::to_wstring(GetCurrentProcessId()) + L".new";
    const std::wstring replacement = target + suffix;
    // A hidden file stays hidden.
    const DWORD kept = existed ? attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) : 0;
    bool written = false;
    {
        const FileHandle file(CreateFileW(replacement.c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL,
                                          nullptr));
        if (!file) {
            setErrnoFromLastError();
            return existed && writeInPlace(target, contents);
        }
        // The data reaches the disk before the name moves to it.
        written = writeAll(file.get(), contents);
        if (written && !FlushFileBuffers(file.get())) {
            setErrnoFromLastError();
            written = false;
        }
    }
    if (!written) {
        DeleteFileW(replacement.c_str());
        return false;
    }
    if (takeName(replacement, target))
        return true;
    const DWORD error = GetLastError();
    DeleteFileW(replacement.c_str());
    if (existed && isHeldOpen(error))
        return writeInPlace(target, contents);
    errno = errnoFor(error);
    return false;
}
