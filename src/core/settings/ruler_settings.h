#pragma once

#include "file_system.h"
#include "settings_keys.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

// The ruler's settings file: section General of one ruler.ini. A thin handle
// that names the file; every read and write goes to the file at once, through
// files, which must outlive the handle.
class RulerSettings
{
public:
    RulerSettings(const FileSystem &files, std::string filePath);

    std::string read(SettingsKey key) const;
    // Several keys from one reading of the file, in the order asked.
    template<size_t count>
    std::array<std::string, count> read(const std::array<SettingsKey, count> &keys) const
    {
        std::vector<std::string> values = readValues({keys.begin(), keys.end()});
        std::array<std::string, count> result;
        std::move(values.begin(), values.end(), result.begin());
        return result;
    }
    // A failed write goes on silently: the next read shows what the file
    // holds. Only the first of them is told, as one line on standard error,
    // for whoever wonders why the ruler forgets its settings.
    void write(SettingsKey key, std::string_view value) const;

    const std::string &filePath() const { return m_filePath; }

private:
    std::vector<std::string> readValues(const std::vector<SettingsKey> &keys) const;

    const FileSystem *m_files;
    std::string m_filePath;
    mutable bool m_failedWriteTold = false;
};
