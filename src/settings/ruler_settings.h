#pragma once

#include "settings_keys.h"

#include <QString>

// The ruler's settings file: section General of one ruler.ini. A thin handle
// that names the file; every read and write goes to the file at once.
class RulerSettings
{
public:
    explicit RulerSettings(QString filePath);

    QString read(SettingsKey key) const;
    // A failed write is silent by design: the next read shows what the file holds.
    void write(SettingsKey key, const QString &value) const;

    const QString &filePath() const { return m_filePath; }

private:
    QString m_filePath;
};
