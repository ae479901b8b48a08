#pragma once

#include "core/settings/file_system.h"

#include <string>

// The settings' files on a POSIX system (Linux): the calls of the C library
// and the kernel, no more. Paths are the system's bytes.
class PosixFileSystem final : public FileSystem
{
public:
    std::string_view lineEnd() const override { return "\n"; }
    // The file's bytes are the text: UTF-8, as the system's locale has it.
    std::string toFileText(std::string_view text) const override { return std::string(text); }
    std::string fromFileText(std::string_view stored) const override { return std::string(stored); }
    std::optional<std::string> read(const std::string &path, std::size_t limit) const override;
    // A page is 4096 bytes here.
    bool overwrite(const std::string &path, const std::string &contents) const override;
    // The names are exchanged (Linux's RENAME_EXCHANGE) where the file exists,
    // which is as atomic as a rename over it.
    bool replace(const std::string &path, const std::string &contents) const override;
    // The kernel's lock (flock) on the folder that holds the file: nothing
    // is created or written for it.
    std::unique_ptr<Lock> lock(const std::string &path) const override;
};

// The folder that holds path: "." for a bare name, "/" for a name at the root.
std::string folderOf(const std::string &path);
