#include "ruler_settings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

std::string RulerSettings::Snapshot::value(SettingsKey key) const
{
    return m_text.value(settingsSection, keyName(key));
}

RulerSettings::RulerSettings(const FileSystem &files, std::string filePath)
    : m_files(&files)
    , m_filePath(std::move(filePath))
{}

RulerSettings::Snapshot RulerSettings::snapshot() const
{
    return Snapshot(IniFileText(*m_files, m_filePath));
}

std::string RulerSettings::read(SettingsKey key) const
{
    return snapshot().value(key);
}

void RulerSettings::write(SettingsKey key, std::string_view value) const
{
    tellFirstFailure(WriteIniValue(*m_files, m_filePath, settingsSection, keyName(key), value));
}

void RulerSettings::write(
    std::initializer_list<std::pair<SettingsKey, std::string_view>> values) const
{
    std::vector<IniEntry> entries;
    entries.reserve(values.size());
    for (const auto &[key, value] : values)
        entries.push_back({keyName(key), value});
    tellFirstFailure(WriteIniValues(*m_files, m_filePath, settingsSection, entries));
}

void RulerSettings::tellFirstFailure(bool written) const
{
    if (written || m_failedWriteTold)
        return;
    m_failedWriteTold = true;
    std::fprintf(stderr, "ruler: cannot write %s: %s (later failures are not reported)\n",
                 m_filePath.c_str(), std::strerror(errno));
}
