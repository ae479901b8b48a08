#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// What the settings need of the operating system's files, implemented once
// per system (src/platform). Paths are UTF-8 (on a POSIX system, the bytes
// the system takes); contents are the file's own bytes. A call that fails
// leaves errno saying why, as the C library's do.
//
// A settings file's bytes are read and replaced with as few system calls as
// the job takes: both run on every step of an interactive resize.
class FileSystem
{
public:
    // Held for the moment of one read-change-replace of a settings file.
    class Lock
    {
    public:
        virtual ~Lock() = default;
    };

    virtual ~FileSystem() = default;

    // How this system's text files end their lines: a new settings file's
    // lines end so.
    virtual std::string_view lineEnd() const = 0;

    // A name or a value as this system's settings files hold it, and back:
    // the core's text is UTF-8, a file's may be another encoding. Only what
    // is read or written passes through here, so that every other byte of a
    // file stays as it is, whether or not it would convert.
    virtual std::string toFileText(std::string_view text) const = 0;
    virtual std::string fromFileText(std::string_view stored) const = 0;

    // The whole file, or nothing when it cannot be read or holds more than
    // limit bytes (errno then tells why: ENOENT when it does not exist, EFBIG
    // when it is too large). A device or a pipe posing as the file is cut off
    // at the limit.
    virtual std::optional<std::string> read(const std::string &path, std::size_t limit) const = 0;

    // Writes contents over the file's own bytes when they are exactly as many
    // as it holds and no more than a page, and says whether it did. The kernel
    // copies a page into the file in one piece, so a process that dies at any
    // moment leaves the old bytes or the new ones; with no new file nor change
    // of size, the disk never holds an empty file in between either. The file
    // keeps its identity, links and permissions. A reader at that very instant
    // may see some of each; the lock around a write orders writers only.
    // Anything else (another size, not a regular file, not writable) is left
    // untouched for replace().
    virtual bool overwrite(const std::string &path, const std::string &contents) const = 0;

    // Replaces a file's contents as a whole: the new text goes to a file of
    // its own beside it, which then takes the name in one step. A process that
    // dies at any moment leaves either the old file or the new one, never a
    // truncated or half-written one. A symbolic link is followed, and the file
    // keeps its permissions; a file that may not be written is left alone, and
    // where the folder forbids new files but the file itself may be written,
    // it is written in place.
    //
    // A power cut is survived too: the new file's data reaches the disk before
    // it takes the name, and the folder after, so that the name stays on the
    // new file. Those waits are skipped only for a file this process made from
    // nothing a moment before, which holds nothing of an earlier run to lose:
    // a first start writes several keys in a row.
    virtual bool replace(const std::string &path, const std::string &contents) const = 0;

    // Keeps two rulers from cutting into each other's read-change-replace of
    // the settings file at path, until the lock returned is destroyed. It is
    // let go when a process dies, so no lock is ever left stale. Where no lock
    // can be had within a few seconds (a ruler stopped in the middle of a
    // write), the write goes ahead without it.
    virtual std::unique_ptr<Lock> lock(const std::string &path) const = 0;
};
