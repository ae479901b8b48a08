#pragma once

#include "core/settings/ruler_settings.h"
#ifdef _WIN32
#include "platform/win32/win32_file_system.h"
#else
#include "platform/posix/posix_file_system.h"
#endif

#include <filesystem>
#include <string>
#include <string_view>

// A ruler.ini of its own in a fresh folder, removed with the object: the
// files the core's tests write, in standard C++ alone.
class TemporarySettingsFile
{
public:
    TemporarySettingsFile();
    TemporarySettingsFile(const TemporarySettingsFile &) = delete;
    TemporarySettingsFile &operator=(const TemporarySettingsFile &) = delete;

    // The path in UTF-8, for the core's file operations.
    const std::string &path() const { return m_path; }
    const FileSystem &files() const { return m_files; }
    RulerSettings settings() const { return RulerSettings(m_files, m_path); }

    // A key of the [General] section, through the core's profile functions.
    std::string read(std::string_view key) const;
    bool write(std::string_view key, std::string_view value) const;

    // The file's bytes; setText replaces them, as a user's editor would.
    std::string text() const;
    void setText(std::string_view text) const;
    bool exists() const;

private:
    // Removed once the files below have let go of it: Windows keeps a
    // folder while a file in it is open.
    struct Folder
    {
        ~Folder();
        std::filesystem::path path;
    };

    Folder m_folder;
    std::filesystem::path m_file;
    std::string m_path;
#ifdef _WIN32
    // The tests' rows are UTF-8 text on every system; the ANSI code page has
    // a test of its own.
    Win32FileSystem m_files{Win32FileSystem::utf8CodePage};
#else
    PosixFileSystem m_files;
#endif
};

// Lines, each ended by "\n", as a settings file made from nothing holds them
// on this system: Windows ends the lines of its text files with "\r\n".
std::string newFileLines(std::string_view lines);
