#include "ruler_settings.h"

#include "profile_file.h"

#include <QtGlobal>

#include <cerrno>
#include <cstring>

RulerSettings::RulerSettings(QString filePath)
    : m_filePath(std::move(filePath))
{}

QString RulerSettings::read(SettingsKey key) const
{
    return ReadIniValue(m_filePath, settingsSection, keyName(key));
}

void RulerSettings::write(SettingsKey key, const QString &value) const
{
    if (WriteIniValue(m_filePath, settingsSection, keyName(key), value) || m_failedWriteTold)
        return;
    m_failedWriteTold = true;
    qWarning("ruler: cannot write %s: %s (later failures are not reported)",
             qUtf8Printable(m_filePath), std::strerror(errno));
}

QStringList RulerSettings::readValues(const QList<SettingsKey> &keys) const
{
    QStringList names;
    names.reserve(keys.size());
    for (SettingsKey key : keys)
        names.append(keyName(key));
    return ReadIniValues(m_filePath, settingsSection, names);
}
