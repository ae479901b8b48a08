#include "ruler_settings.h"

#include "profile_file.h"

RulerSettings::RulerSettings(QString filePath)
    : m_filePath(std::move(filePath))
{
}

QString RulerSettings::read(SettingsKey key) const
{
    return ReadIniValue(m_filePath, settingsSection, keyName(key));
}

void RulerSettings::write(SettingsKey key, const QString &value) const
{
    WriteIniValue(m_filePath, settingsSection, keyName(key), value);
}
