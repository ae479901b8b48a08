#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Every key of ruler.ini, in section General. Code names a key only through
// this table, so that a key's name is spelled once.
enum class SettingsKey
{
    Transparent,
    ShowInTaskBar,
    AlwaysOnTop,
    Direction,
    SizeMode,
    ScaleMode,
    Left,
    Top,
    Width,
    Height,
    Revision,
    BackColor,
    RulerWordColor,
    TipWordColor,
    RulerLineColor,
    BigRulerLineColor,
    MidRulerLineColor,
    SmallRulerLineColor,
    IfCustomRulerLineColor,
};

inline constexpr std::string_view settingsSection("General");

std::string_view keyName(SettingsKey key);

// The seven colour keys in the order in which the ruler reads them and the
// colour dialog lists them, each with the colour used when its text is not a
// colour: yellow background, black unit hint, red for the rest.
struct ColorSetting
{
    SettingsKey key;
    std::int32_t fallback; // colour value: red + 256 * green + 65536 * blue
};

inline constexpr std::array<ColorSetting, 7> colorSettings{{
    {SettingsKey::BackColor, 0x00FFFF},
    {SettingsKey::RulerWordColor, 0x0000FF},
    {SettingsKey::TipWordColor, 0x000000},
    {SettingsKey::RulerLineColor, 0x0000FF},
    {SettingsKey::BigRulerLineColor, 0x0000FF},
    {SettingsKey::MidRulerLineColor, 0x0000FF},
    {SettingsKey::SmallRulerLineColor, 0x0000FF},
}};
