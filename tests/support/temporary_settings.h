#pragma once

#include "temporary_settings_file.h"

#include <QByteArray>
#include <QString>

// A ruler.ini of its own in a fresh folder, removed with the object, in
// Qt's types.
class TemporarySettings
{
public:
    QString path() const;
    // The path as the system takes it, for the core's file operations.
    std::string systemPath() const { return m_file.path(); }
    const FileSystem &files() const { return m_file.files(); }
    RulerSettings settings() const { return m_file.settings(); }

    // The file's bytes; setText replaces them, as a user's editor would.
    QByteArray text() const;
    void setText(const QByteArray &text) const;
    bool exists() const { return m_file.exists(); }

private:
    TemporarySettingsFile m_file;
};
