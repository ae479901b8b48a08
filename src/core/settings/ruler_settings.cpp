#include "ruler_settings.h"

#include "profile_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

RulerSettings::RulerSettings(const FileSystem &files, std::string filePath)
    : m_files(&files)
    , m_filePath(std::move(filePath))
{}

std::string RulerSettings::read(SettingsKey key) const
{
    return ReadIniValue(*m_files, m_filePath, settingsSection, keyName(key));
}

void RulerSettings::write(SettingsKey key, std::string_view value) const
{
    if (WriteIniValue(*m_files, m_filePath, settingsSection, keyName(key), value) ||
        m_failedWriteTold)
        return;
    m_failedWriteTold = true;
    std::fprintf(stderr, "ruler: cannot write %s: %s (later failures are not reported)\n",
                 m_filePath.c_str(), std::strerror(errno));
}

std::vector<std::string> RulerSettings::readValues(const std::vector<SettingsKey> &keys) const
{
    std::vector<std::string_view> names;
    names.reserve(keys.size());
    for (const SettingsKey key : keys)
        names.push_back(keyName(key));
    return ReadIniValues(*m_files, m_filePath, settingsSection, names);
}
