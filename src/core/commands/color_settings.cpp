#include "color_settings.h"

#include "core/settings/color_text.h"
#include "core/settings/setting_values.h"

#include <algorithm>

namespace {

constexpr std::array<std::string_view, ColorSettings::rowCount> captions{
    "背景颜色:",     "刻度数字颜色:", "单位提示颜色:", "刻度线颜色:",
    "大刻度线颜色:", "中刻度线颜色:", "小刻度线颜色:",
};

// Only ASCII letters: no other letter can belong to a colour text, and the
// result is the same on every system whatever its locale.
std::string upperCase(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    return upper;
}

} // namespace

ColorSettings::ColorSettings(const RulerSettings &settings)
{
    const RulerSettings::Snapshot stored = settings.snapshot();
    for (int row = 0; row < rowCount; ++row) {
        const std::string text = stored.value(colorSettings[size_t(row)].key);
        setText(row,
                ParseColorText(text) == -1 ? colorText(colorSettings[size_t(row)].fallback) : text);
    }
    m_customLineColors = isTrueText(stored.value(SettingsKey::IfCustomRulerLineColor));
}

std::string_view ColorSettings::caption(int row)
{
    return captions.at(size_t(row));
}

const std::string &ColorSettings::setText(int row, std::string_view typed)
{
    std::string &text = m_texts.at(size_t(row));
    text = upperCase(typed);
    const std::int32_t colorValue = ParseColorText(text);
    if (colorValue != -1)
        m_swatches[size_t(row)] = colorValue;
    return text;
}

bool ColorSettings::isRowEnabled(int row) const
{
    if (row == commonLineRow)
        return !m_customLineColors;
    return row < commonLineRow || m_customLineColors;
}

const std::string &ColorSettings::pickColor(int row, std::int32_t colorValue)
{
    m_pickerColor = colorValue;
    return setText(row, colorText(colorValue));
}

void ColorSettings::save(const RulerSettings &settings) const
{
    for (int row = 0; row < rowCount; ++row)
        settings.write(colorSettings[size_t(row)].key, m_texts[size_t(row)]);
    settings.write(SettingsKey::IfCustomRulerLineColor, booleanText(m_customLineColors));
}
