#pragma once

#include "core/settings/settings_keys.h"
#include "menu/form_menu.h"
#include "ruler/ruler_window.h"
#include "temporary_settings.h"

#include <QByteArray>

// A ruler window on a settings file of its own. The text given becomes the
// file's section General; without any, there is no file at all.
struct RulerOnFile
{
    explicit RulerOnFile(const QByteArray &settingsText = QByteArray());

    // Shows the ruler as the program's start does: it loads and lays itself out.
    void start();

    QString stored(SettingsKey key) const
    {
        return QString::fromStdString(file.settings().read(key));
    }
    FormMenu &menu() { return ruler.formMenu(); }

    TemporarySettings file;
    Form1 ruler;
};

// A ruler on its file, started.
struct StartedRuler : RulerOnFile
{
    explicit StartedRuler(const QByteArray &settingsText = QByteArray())
        : RulerOnFile(settingsText)
    {
        start();
    }
};
