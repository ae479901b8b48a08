#pragma once

#include "core/commands/commands.h"
#include "core/ruler/ruler_window.h"
#include "counting_file_system.h"
#include "fake_shell.h"
#include "temporary_settings_file.h"

#include <optional>
#include <string>
#include <string_view>

// A ruler window and its commands on a settings file of its own, in the fake
// shell, loaded and laid out as a window that is shown for the first time.
// The text given becomes the file's section General; without any, there is
// no file at all.
struct ShownRuler
{
    explicit ShownRuler(std::optional<std::string_view> settingsText = std::nullopt);

    std::string stored(SettingsKey key) const { return settings.read(key); }
    CommandState &state() { return commands.state(); }
    // The unit hint the window shows: its picture's last text.
    std::string hint() { return ruler.picture().texts.back().text; }

    TemporarySettingsFile file;
    CountingFileSystem files{file.files()};
    RulerSettings settings{files, file.path()};
    FakeShell shell;
    RulerWindow ruler{shell, settings};
    Commands commands{ruler, shell, shell, settings};
};

// "x,y widthxheight", as a failed check prints it.
std::string rectText(Rect rect);
