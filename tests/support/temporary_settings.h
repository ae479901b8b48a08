#pragma once

#include "core/settings/ruler_settings.h"
#include "platform/posix/posix_file_system.h"

#include <QByteArray>
#include <QTemporaryDir>

// A ruler.ini of its own in a fresh folder, removed with the object.
class TemporarySettings
{
public:
    TemporarySettings();

    QString path() const;
    // The path as the system takes it, for the core's file operations.
    std::string systemPath() const;
    const FileSystem &files() const { return m_files; }
    RulerSettings settings() const { return RulerSettings(m_files, systemPath()); }

    // The file's bytes; setText replaces them, as a user's editor would.
    QByteArray text() const;
    void setText(const QByteArray &text) const;
    bool exists() const;

private:
    QTemporaryDir m_folder;
    PosixFileSystem m_files;
};
