#pragma once

#include "core/settings/file_system.h"
#include "file_handle.h"

#include <string>

// The settings' files on Windows: kernel32's wide-character calls, with the
// core's UTF-8 paths widened for them. The settings' text is stored in one
// code page, the system's ANSI one unless told otherwise, as Windows
// programs have always kept their INI files.
class Win32FileSystem final : public FileSystem
{
public:
    // Code pages as Windows numbers them (CP_ACP, CP_UTF8).
    static constexpr unsigned ansiCodePage = 0;
    static constexpr unsigned utf8CodePage = 65001;

    explicit Win32FileSystem(unsigned codePage = ansiCodePage);

    std::string_view lineEnd() const override { return "\r\n"; }
    // A character the code page lacks is stored as "?"; stored bytes that do
    // not convert read as the code page's stand-in character.
    std::string toFileText(std::string_view text) const override;
    std::string fromFileText(std::string_view stored) const override;
    std::optional<std::string> read(const std::string &path, std::size_t limit) const override;
    // A page is 4096 bytes here too, written by one WriteFile call, which a
    // process that dies cannot cut in two. Under a lock, the read and the
    // write over the bytes share one opening of the file, held until the
    // lock goes: under Wine each opening is a round trip to its server.
    bool overwrite(const std::string &path, const std::string &contents) const override;
    // The new file takes the name through MoveFileExW, written through to the
    // disk. Windows refuses to rename over a file that any other handle holds
    // open, even a reader's for the moment of a read: that is waited out
    // briefly, and a file held for longer (an editor that keeps it open) is
    // written in place, as where the folder forbids new files. The read-only
    // attribute is the mode that forbids writing.
    bool replace(const std::string &path, const std::string &contents) const override;
    // LockFileEx on a hidden file beside the settings file, its name with
    // ".lock" added, made once and left there: Windows locks no folders, and
    // a lock on the settings file itself would keep it from being replaced.
    std::unique_ptr<Lock> lock(const std::string &path) const override;

private:
    unsigned m_codePage;
    // The lock file stays open from the first lock to the end: opening it is
    // most of what a lock costs, and a drag locks at every step.
    mutable std::string m_lockFilePath;
    mutable FileHandle m_lockFile;
    // While a lock is held: the settings file as its read opened it, for the
    // write over its bytes that follows.
    mutable bool m_inChange = false;
    mutable FileHandle m_fileInChange;
};
