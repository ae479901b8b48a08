#include "settings_keys.h"

QLatin1StringView keyName(SettingsKey key)
{
    switch (key) {
    case SettingsKey::Transparent:
        return QLatin1StringView("Transparent");
    case SettingsKey::ShowInTaskBar:
        return QLatin1StringView("ShowInTaskBar");
    case SettingsKey::AlwaysOnTop:
        return QLatin1StringView("AlwaysOnTop");
    case SettingsKey::Direction:
        return QLatin1StringView("Direction");
    case SettingsKey::SizeMode:
        return QLatin1StringView("SizeMode");
    case SettingsKey::ScaleMode:
        return QLatin1StringView("ScaleMode");
    case SettingsKey::Left:
        return QLatin1StringView("Left");
    case SettingsKey::Top:
        return QLatin1StringView("Top");
    case SettingsKey::Width:
        return QLatin1StringView("Width");
    case SettingsKey::Height:
        return QLatin1StringView("Height");
    case SettingsKey::Revision:
        return QLatin1StringView("Revision");
    case SettingsKey::BackColor:
        return QLatin1StringView("BackColor");
    case SettingsKey::RulerWordColor:
        return QLatin1StringView("RulerWordColor");
    case SettingsKey::TipWordColor:
        return QLatin1StringView("TipWordColor");
    case SettingsKey::RulerLineColor:
        return QLatin1StringView("RulerLineColor");
    case SettingsKey::BigRulerLineColor:
        return QLatin1StringView("BigRulerLineColor");
    case SettingsKey::MidRulerLineColor:
        return QLatin1StringView("MidRulerLineColor");
    case SettingsKey::SmallRulerLineColor:
        return QLatin1StringView("SmallRulerLineColor");
    case SettingsKey::IfCustomRulerLineColor:
        return QLatin1StringView("IfCustomRulerLineColor");
    }
    Q_UNREACHABLE();
    return {};
}
