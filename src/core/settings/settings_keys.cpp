#include "settings_keys.h"

std::string_view keyName(SettingsKey key)
{
    switch (key) {
    case SettingsKey::Transparent:
        return "Transparent";
    case SettingsKey::ShowInTaskBar:
        return "ShowInTaskBar";
    case SettingsKey::AlwaysOnTop:
        return "AlwaysOnTop";
    case SettingsKey::Direction:
        return "Direction";
    case SettingsKey::SizeMode:
        return "SizeMode";
    case SettingsKey::ScaleMode:
        return "ScaleMode";
    case SettingsKey::Left:
        return "Left";
    case SettingsKey::Top:
        return "Top";
    case SettingsKey::Width:
        return "Width";
    case SettingsKey::Height:
        return "Height";
    case SettingsKey::Revision:
        return "Revision";
    case SettingsKey::BackColor:
        return "BackColor";
    case SettingsKey::RulerWordColor:
        return "RulerWordColor";
    case SettingsKey::TipWordColor:
        return "TipWordColor";
    case SettingsKey::RulerLineColor:
        return "RulerLineColor";
    case SettingsKey::BigRulerLineColor:
        return "BigRulerLineColor";
    case SettingsKey::MidRulerLineColor:
        return "MidRulerLineColor";
    case SettingsKey::SmallRulerLineColor:
        return "SmallRulerLineColor";
    case SettingsKey::IfCustomRulerLineColor:
        return "IfCustomRulerLineColor";
    }
    return {};
}
