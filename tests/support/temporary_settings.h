#pragma once

#include "settings/ruler_settings.h"

#include <QByteArray>
#include <QTemporaryDir>

// A ruler.ini of its own in a fresh folder, removed with the object.
class TemporarySettings
{
public:
    TemporarySettings();

    QString path() const;
    RulerSettings settings() const { return RulerSettings(path()); }

    // The file's bytes; setText replaces them, as a user's editor would.
    QByteArray text() const;
    void setText(const QByteArray &text) const;
    bool exists() const;

private:
    QTemporaryDir m_folder;
};
