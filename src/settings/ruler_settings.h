#pragma once

#include "settings_keys.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>

// The ruler's settings file: section General of one ruler.ini. A thin handle
// that names the file; every read and write goes to the file at once.
class RulerSettings
{
public:
    explicit RulerSettings(QString filePath);

    QString read(SettingsKey key) const;
    // Several keys from one reading of the file, in the order asked.
    template<size_t count>
    std::array<QString, count> read(const std::array<SettingsKey, count> &keys) const
    {
        const QStringList values = readValues(QList<SettingsKey>(keys.begin(), keys.end()));
        std::array<QString, count> result;
        std::copy(values.begin(), values.end(), result.begin());
        return result;
    }
    // A failed write goes on silently: the next read shows what the file
    // holds. Only the first of them is told, as one line on standard error,
    // for whoever wonders why the ruler forgets its settings.
    void write(SettingsKey key, const QString &value) const;

    const QString &filePath() const { return m_filePath; }

private:
    QStringList readValues(const QList<SettingsKey> &keys) const;

    QString m_filePath;
    mutable bool m_failedWriteTold = false;
};
