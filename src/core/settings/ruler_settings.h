#pragma once

#include "file_system.h"
#include "profile_file.h"
#include "settings_keys.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

// The ruler's settings file: section General of one ruler.ini. A thin handle
// that names the file; every read and write goes to the file at once, through
// files, which must outlive the handle.
class RulerSettings
{
public:
    // The file as one reading found it, for all the keys one event needs.
    class Snapshot
    {
    public:
        std::string value(SettingsKey key) const;

    private:
        friend class RulerSettings;
        explicit Snapshot(IniFileText text)
            : m_text(std::move(text))
        {}
        IniFileText m_text;
    };

    RulerSettings(const FileSystem &files, std::string filePath);

    Snapshot snapshot() const;
    std::string read(SettingsKey key) const;

    // A failed write goes on silently: the next read shows what the file
    // holds. Only the first of them is told, as one line on standard error,
    // for whoever wonders why the ruler forgets its settings.
    void write(SettingsKey key, std::string_view value) const;
    // Several keys as one change of the file: all of them, or none.
    void write(std::initializer_list<std::pair<SettingsKey, std::string_view>> values) const;

    const std::string &filePath() const { return m_filePath; }

private:
    void tellFirstFailure(bool written) const;

    const FileSystem *m_files;
    std::string m_filePath;
    mutable bool m_failedWriteTold = false;
};
