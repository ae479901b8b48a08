#pragma once

#include "core/settings/file_system.h"

// A test's files, passed through and counted: how often the core reads a
// settings file and locks it to change it.
class CountingFileSystem final : public FileSystem
{
public:
    explicit CountingFileSystem(const FileSystem &files)
        : m_files(files)
    {}

    std::string_view lineEnd() const override { return m_files.lineEnd(); }
    std::string toFileText(std::string_view text) const override
    {
        return m_files.toFileText(text);
    }
    std::string fromFileText(std::string_view stored) const override
    {
        return m_files.fromFileText(stored);
    }
    std::optional<std::string> read(const std::string &path, std::size_t limit) const override
    {
        ++reads;
        return m_files.read(path, limit);
    }
    bool overwrite(const std::string &path, const std::string &contents) const override
    {
        return m_files.overwrite(path, contents);
    }
    bool replace(const std::string &path, const std::string &contents) const override
    {
        return m_files.replace(path, contents);
    }
    std::unique_ptr<Lock> lock(const std::string &path) const override
    {
        ++locks;
        return m_files.lock(path);
    }

    mutable int reads = 0;
    mutable int locks = 0;

private:
    const FileSystem &m_files;
};
