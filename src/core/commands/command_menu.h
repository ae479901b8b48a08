#pragma once

#include "core/command_state.h"

#include <span>
#include <string_view>

// Every command of the ruler's one popup menu. A command of a group receives
// the index of its item (MenuEntry::index); the others receive nothing.
enum class MenuCommand
{
    ScaleMode,
    Move,
    Tran,
    AlwaysOnTop,
    Taskbar,
    Color,
    Direction,
    Size,
    Revise,
    About,
    Help,
    Quit,
};

// One line of the menu, as every shell shows it: an item, or a separator,
// which has no caption.
struct MenuEntry
{
    std::string_view caption; // UTF-8; the letter after "&" is its access key
    MenuCommand command = MenuCommand::Quit;
    int index = 0;
    bool checkable = false;

    bool isSeparator() const { return caption.empty(); }
};

// The menu from top to bottom.
std::span<const MenuEntry> commandMenu();

// Whether an item shows its check mark in the given state.
bool isChecked(const MenuEntry &entry, const CommandState &state);
