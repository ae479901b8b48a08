#include "core/commands/color_settings.h"
#include "temporary_settings_file.h"

#include <array>
#include <cstdint>
#include <doctest/doctest.h>
#include <string>
#include <string_view>

namespace {

// Colour values: red + 256 * green + 65536 * blue.
constexpr std::int32_t black = 0x000000;
constexpr std::int32_t red = 0x0000FF;
constexpr std::int32_t green = 0x00FF00;
constexpr std::int32_t blue = 0xFF0000;
constexpr std::int32_t yellow = 0x00FFFF;

// A file whose section General holds the lines given; none at all for nullptr.
void store(const TemporarySettingsFile &file, const char *lines)
{
    if (lines)
        file.setText(std::string("[General]\n") + lines);
}

// For each row, 0 to 6, whether it takes input: '1' or '0'.
std::string enabledRows(const ColorSettings &model)
{
    std::string rows;
    for (int row = 0; row < ColorSettings::rowCount; ++row)
        rows += model.isRowEnabled(row) ? '1' : '0';
    return rows;
}

} // namespace

TEST_CASE("loadsStoredColours")
{
    const struct
    {
        std::string_view name;
        int row;
        const char *stored; // the row's line, or nullptr for none
        const char *text;
        std::int32_t swatch;
    } rows[] = {
        {"lower case shown upper", 0, "BackColor=#ff8000", "#FF8000", 0x0080FF},
        {"blanks inside vanish", 1, "RulerWordColor=# 12 34 ab", "#1234AB", 0xAB3412},
        {"no hash", 2, "TipWordColor=FF8000", "#000000", black},
        {"too short", 3, "RulerLineColor=#FF80", "#FF0000", red},
        {"not hexadecimal", 0, "BackColor=#GG0000", "#FFFF00", yellow},
        {"eight characters", 4, "BigRulerLineColor=#FF80001", "#FF0000", red},
        {"empty", 5, "MidRulerLineColor=", "#FF0000", red},
        {"missing", 6, nullptr, "#FF0000", red},
        {"missing background", 0, nullptr, "#FFFF00", yellow},
        {"missing unit hint", 2, nullptr, "#000000", black},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        TemporarySettingsFile file;
        store(file, row.stored);
        const ColorSettings model(file.settings());
        CHECK(model.text(row.row) == row.text);
        CHECK(model.swatchColor(row.row) == row.swatch);
    }
}

TEST_CASE("switchFollowsTheStoredTextAndSwitchesTheRows")
{
    const struct
    {
        const char *stored;
        bool custom;
    } rows[] = {
        {"IfCustomRulerLineColor=True", true},
        {"IfCustomRulerLineColor=TRUE", true},
        {"IfCustomRulerLineColor=true", true},
        {"IfCustomRulerLineColor=False", false},
        {"IfCustomRulerLineColor=1", false},
        {"IfCustomRulerLineColor=yes", false},
        {nullptr, false},
    };
    // Rows 0 to 6: one colour for every tick, or a colour per tick class.
    const std::string oneTickColour = "1111000";
    const std::string colourPerClass = "1110111";
    for (const auto &row : rows) {
        CAPTURE(row.stored ? row.stored : "missing");
        TemporarySettingsFile file;
        store(file, row.stored);
        ColorSettings model(file.settings());
        CHECK(model.customLineColors() == row.custom);
        CHECK(enabledRows(model) == (row.custom ? colourPerClass : oneTickColour));
        model.setCustomLineColors(!row.custom);
        CHECK(enabledRows(model) == (row.custom ? oneTickColour : colourPerClass));
    }
}

TEST_CASE("swatchFollowsOnlyValidText")
{
    const struct
    {
        std::string_view typed;
        const char *text;
        std::int32_t swatch;
    } rows[] = {
        {"", "", red},
        {"#00FF0", "#00FF0", red},
        {"#00FF00", "#00FF00", green},
        {"#0000ff", "#0000FF", blue},
        {"#00FF0G", "#00FF0G", red},
        {"00FF000", "00FF000", red},
    };
    for (const auto &row : rows) {
        CAPTURE(row.typed);
        TemporarySettingsFile file;
        ColorSettings model(file.settings());
        // Typed key by key into the emptied box of the numbers' colour.
        for (size_t length = 0; length <= row.typed.size(); ++length)
            model.setText(1, row.typed.substr(0, length));
        CHECK(model.text(1) == row.text);
        CHECK(model.swatchColor(1) == row.swatch);
    }
}

TEST_CASE("pickerColourCarriesBetweenRowsNotOpenings")
{
    TemporarySettingsFile file;
    {
        ColorSettings model(file.settings());
        CHECK(model.pickerColor() == black);
        CHECK(model.pickColor(0, 0x030201) == "#010203");
        CHECK(model.swatchColor(0) == 0x030201);
        CHECK(model.pickerColor() == 0x030201);
        model.pickColor(2, 0x060504);
        CHECK(model.pickerColor() == 0x060504);
        CHECK(model.text(2) == "#040506");
    }
    CHECK(ColorSettings(file.settings()).pickerColor() == black);
}

TEST_CASE("okWritesEveryKey")
{
    // The seven colours in the order of the rows, then the switch.
    using Written = std::array<const char *, 8>;
    const auto written = [](int index = -1, const char *text = nullptr) {
        Written values{"#FFFF00", "#FF0000", "#000000", "#FF0000",
                       "#FF0000", "#FF0000", "#FF0000", "False"};
        if (index >= 0)
            values[size_t(index)] = text;
        return values;
    };
    const struct
    {
        std::string_view name;
        const char *stored;
        int editedRow;
        const char *edit;
        bool toggleSwitch;
        Written written;
    } rows[] = {
        {"unchanged, no file", nullptr, -1, nullptr, false, written()},
        {"lower case written upper", "RulerWordColor=#ff8000\n", -1, nullptr, false,
         written(1, "#FF8000")},
        {"half-typed text written as it is", nullptr, 2, "#12", false, written(2, "#12")},
        {"greyed row written too", "IfCustomRulerLineColor=False\n", 5, "#abcdef", false,
         written(5, "#ABCDEF")},
        {"stored TRUE written True", "IfCustomRulerLineColor=TRUE\n", -1, nullptr, false,
         written(7, "True")},
        {"switched on", nullptr, -1, nullptr, true, written(7, "True")},
        {"switched off keeps custom colours",
         "BigRulerLineColor=#0A0B0C\nIfCustomRulerLineColor=True\n", -1, nullptr, true,
         written(4, "#0A0B0C")},
    };
    const std::array keys{colorSettings[0].key, colorSettings[1].key,
                          colorSettings[2].key, colorSettings[3].key,
                          colorSettings[4].key, colorSettings[5].key,
                          colorSettings[6].key, SettingsKey::IfCustomRulerLineColor};
    for (const auto &row : rows) {
        CAPTURE(row.name);
        TemporarySettingsFile file;
        store(file, row.stored);
        ColorSettings model(file.settings());
        if (row.editedRow >= 0)
            model.setText(row.editedRow, row.edit);
        if (row.toggleSwitch)
            model.setCustomLineColors(!model.customLineColors());
        model.save(file.settings());
        for (size_t i = 0; i < keys.size(); ++i) {
            CAPTURE(keyName(keys[i]));
            CHECK(file.read(keyName(keys[i])) == row.written[i]);
        }
        if (!row.stored) {
            // A new file lists the keys in the order in which they were written.
            const std::string text = file.text();
            size_t previous = 0;
            for (const SettingsKey key : keys) {
                CAPTURE(keyName(key));
                const size_t at = text.find("\n" + std::string(keyName(key)) + '=');
                REQUIRE(at != std::string::npos);
                CHECK(at > previous);
                previous = at;
            }
        }
    }
}
