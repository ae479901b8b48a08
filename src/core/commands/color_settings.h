#pragma once

#include "core/settings/ruler_settings.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The colour dialog's model: the seven colour rows as the dialog shows them,
// the switch between one tick colour and a colour each for big, mid and small
// ticks, and the colour the picker opens at. It reads ruler.ini once, when it
// is made, and writes it only when OK saves it. A shell makes one for every
// opening, shows what it holds and hands it every edit.
class ColorSettings
{
public:
    // The rows in the order of colorSettings: background, numbers, unit hint,
    // every tick line, then big, mid and small ticks.
    static constexpr int rowCount = int(colorSettings.size());
    // The row that colours every tick without the switch, and the rows that
    // the switch enables or disables, the per-class rows (4 to 6) first.
    static constexpr int commonLineRow = 3;
    static constexpr std::array switchedRows{4, 5, 6, commonLineRow};

    // The dialog's captions, UTF-8; "&" marks an access key.
    static constexpr std::string_view windowCaption = "设置颜色";
    static constexpr std::string_view switchCaption = "指定大中小刻度线的颜色:";
    static constexpr std::string_view okCaption = "确定(&Y)";
    static constexpr std::string_view cancelCaption = "取消(&N)";
    // The caption beside a row's text box.
    static std::string_view caption(int row);

    explicit ColorSettings(const RulerSettings &settings);

    // A row's colour text: at first the stored text, upper-cased, or the
    // row's fallback where the stored text is no colour text.
    const std::string &text(int row) const { return m_texts.at(size_t(row)); }
    // Takes what the row's box now holds and returns it as the box is to show
    // it, with upper-case letters. Text that is no colour text (yet, while it
    // is typed) is kept all the same, and leaves the swatch at its last colour.
    const std::string &setText(int row, std::string_view typed);
    // The colour value that the row's swatch shows.
    std::int32_t swatchColor(int row) const { return m_swatches.at(size_t(row)); }

    // Whether big, mid and small ticks get a colour each (the check box).
    bool customLineColors() const { return m_customLineColors; }
    void setCustomLineColors(bool custom) { m_customLineColors = custom; }
    // A disabled row keeps its text and colour and is still saved.
    bool isRowEnabled(int row) const;

    // The colour the picker opens at: black at first, then the colour last
    // accepted in it, for whichever row; never taken from a swatch.
    std::int32_t pickerColor() const { return m_pickerColor; }
    // A colour accepted in the picker for a row; returns the row's new text.
    const std::string &pickColor(int row, std::int32_t colorValue);

    // OK: every row's text as it stands, valid or not (the ruler falls back
    // on its own colour for a text it cannot read), then the switch.
    void save(const RulerSettings &settings) const;

private:
    std::array<std::string, rowCount> m_texts;
    std::array<std::int32_t, rowCount> m_swatches{};
    bool m_customLineColors = false;
    std::int32_t m_pickerColor = 0;
};
