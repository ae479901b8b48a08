#include "core/commands/command_texts.h"
#include "shown_ruler.h"

#include <doctest/doctest.h>

#include <optional>
#include <string>
#include <string_view>

TEST_CASE("translucencySteps")
{
    const struct
    {
        std::string_view name;
        std::optional<std::string_view> stored;
        int index;
        int expected;
    } rows[] = {
        {"more translucent", "255", 1, 245},
        {"not below 0", "5", 1, 0},
        {"less translucent", "250", 2, 255},
        {"not above 255", "255", 2, 255},
        {"missing counts as 255", std::nullopt, 1, 245},
        {"stored above range", "300", 1, 245},
        {"stored below range", "-50", 2, 10},
        {"fraction rounds to even", "12.5", 2, 22},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        ShownRuler shown(row.stored ? "Transparent=" + std::string(*row.stored) + "\n"
                                    : std::string("ScaleMode=Millimeters\n"));
        shown.commands.mnuTran_Click(row.index);
        CHECK(shown.stored(SettingsKey::Transparent) == std::to_string(row.expected));
        CHECK(shown.shell.opacity == row.expected);
    }
}

TEST_CASE("twentySixStepsMakeTheRulerInvisible")
{
    ShownRuler shown;
    for (int step = 0; step < 26; ++step)
        shown.commands.mnuTran_Click(1);
    CHECK(shown.stored(SettingsKey::Transparent) == "0");
    CHECK(shown.shell.opacity == 0);
    shown.commands.mnuTran_Click(2);
    CHECK(shown.stored(SettingsKey::Transparent) == "10");
}

TEST_CASE("movesAreHundredTwips")
{
    const struct
    {
        int index; // up, down, left, right, no such item
        std::string geometry;
    } rows[] = {
        {1, "100,93 652x120"},  {2, "100,107 652x120"}, {3, "93,100 652x120"},
        {4, "107,100 652x120"}, {5, "100,100 652x120"},
    };
    for (const auto &row : rows) {
        CAPTURE(row.index);
        ShownRuler shown("Left=1500\nTop=1500\n");
        const std::string before = shown.file.text();
        shown.commands.mnuMove_Click(row.index);
        CHECK(rectText(shown.shell.window) == row.geometry);
        CHECK(shown.file.text() == before); // the position is stored at close
    }
}

TEST_CASE("movesKeepTheRulerReachable")
{
    ShownRuler shown;
    for (int step = 0; step < 500; ++step)
        shown.commands.mnuMove_Click(3);
    // Left of the screen, with its right end still on it, and back again.
    CHECK(shown.shell.window.x == 24 - 652);
    for (int step = 0; step < 500; ++step)
        shown.commands.mnuMove_Click(4);
    CHECK(shown.shell.window.x == 800 - 24);
    for (int step = 0; step < 500; ++step)
        shown.commands.mnuMove_Click(2);
    CHECK(shown.shell.window.y == 600 - 12);
}

TEST_CASE("topmostAppliesAtOnce")
{
    ShownRuler shown;
    shown.commands.mnuAlwaysOnTop_Click();
    CHECK(shown.shell.topmost == true);
    CHECK(shown.stored(SettingsKey::AlwaysOnTop) == "True");
    shown.commands.mnuAlwaysOnTop_Click();
    CHECK(shown.shell.topmost == false);
    CHECK(shown.stored(SettingsKey::AlwaysOnTop) == "False");
}

TEST_CASE("taskbarIsStoredForTheNextStart")
{
    ShownRuler shown;
    shown.shell.taskbar.reset();
    shown.commands.mnuTaskbar_Click();
    CHECK(shown.state().taskbar);
    CHECK(shown.stored(SettingsKey::ShowInTaskBar) == "True");
    shown.commands.mnuTaskbar_Click();
    CHECK(shown.stored(SettingsKey::ShowInTaskBar) == "False");
    CHECK(!shown.shell.taskbar); // not asked of the shown window
}

TEST_CASE("sizeModeStoresAndLaysOut")
{
    ShownRuler shown("Revision=0.9\n");
    shown.commands.mnuSize_Click(1);
    CHECK(shown.state().size.markedIndex() == 1);
    CHECK(!shown.state().size.isMarked(0));
    CHECK(shown.stored(SettingsKey::SizeMode) == "1");
    CHECK(shown.hint() == "毫米(r=0.90)");

    shown.commands.mnuSize_Click(0);
    CHECK(shown.stored(SettingsKey::SizeMode) == "0");
    CHECK(shown.hint() == "毫米");
}

TEST_CASE("physicalScaleWithoutCalibrationShowsTheTip")
{
    const struct
    {
        std::optional<std::string_view> revision;
        size_t tips;
    } rows[] = {
        {std::nullopt, 1},       {"Revision=0\n", 1},   {"Revision=abc\n", 1},
        {"Revision=-0.05\n", 1}, {"Revision=0.9\n", 0},
    };
    for (const auto &row : rows) {
        CAPTURE(row.revision.value_or("missing"));
        ShownRuler shown(row.revision);
        shown.commands.mnuSize_Click(1);
        REQUIRE(shown.shell.textBoxes.size() == row.tips);
        if (row.tips) {
            CHECK(shown.shell.textBoxes[0].caption == CommandTexts::tipCaption);
            CHECK(shown.shell.textBoxes[0].text == CommandTexts::uncalibratedTip);
        }
        // The switch goes ahead either way.
        CHECK(shown.stored(SettingsKey::SizeMode) == "1");
        CHECK(shown.state().size.markedIndex() == 1);

        // The virtual scale never asks.
        shown.commands.mnuSize_Click(0);
        CHECK(shown.shell.textBoxes.size() == row.tips);
    }
}

TEST_CASE("calibrationStoresRealOverNominal")
{
    const struct
    {
        std::string_view name;
        std::optional<std::string_view> revision;
        std::string defaultText;
        std::string answer;
        std::string stored;
    } rows[] = {
        {"first calibration", std::nullopt, "0", "181", "0.905"},
        {"again from 0.9", "Revision=0.9\n", "180", "181", "0.905"},
        {"half millimetres", "Revision=0.9525\n", "190.5", "200", "1"},
        {"cancel or empty keeps the value", "Revision=0.9\n", "180", "", "0.9"},
        {"letters store 0", "Revision=0.9\n", "180", "abc", "0"},
        {"leading number", std::nullopt, "0", "190mm", "0.95"},
        {"negative", std::nullopt, "0", "-10", "-0.05"},
        {"too large to be a ratio", "Revision=0.9\n", "180", "1e999", "0.9"},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        ShownRuler shown(row.revision);
        shown.shell.answer = [&row] {
            return row.answer;
        };
        shown.commands.mnuRevise_Click();
        REQUIRE(shown.shell.inputBoxes.size() == 1);
        CHECK(shown.shell.inputBoxes[0].prompt ==
              "请输入屏幕刻度尺200mm间距的真实尺寸,\r\n\r\n"
              "您需要用真实的刻度尺在显示器上测量.\r\n\r\n单位=mm");
        CHECK(shown.shell.inputBoxes[0].defaultText == row.defaultText);
        CHECK(shown.stored(SettingsKey::Revision) == row.stored);
    }
}

TEST_CASE("calibrationShowsTheNominalRulerThenRestoresIt")
{
    ShownRuler shown("AlwaysOnTop=True\nDirection=90\nScaleMode=Inches\nSizeMode=1\n"
                     "Revision=0.9\nWidth=12000\nHeight=2000\nLeft=11850\nTop=300\n");
    // Further right than a move command would take it: it comes back exactly.
    CHECK(rectText(shown.shell.window) == "790,20 133x800");
    shown.shell.answer = [&shown] {
        // While the box is open: horizontal, millimetres with no unit marked,
        // virtual, centred across the screen one ruler height below the middle.
        CHECK(shown.state().direction.markedIndex() == 0);
        CHECK(shown.state().unit.markedIndex() == 0);
        CHECK(shown.state().size.markedIndex() == 0);
        CHECK(shown.stored(SettingsKey::ScaleMode) == "Millimeters");
        CHECK(rectText(shown.shell.window) == "0,367 800x133"); // (600 - 133) / 2 + 133
        return std::string("181");
    };
    shown.commands.mnuRevise_Click();
    REQUIRE(shown.shell.inputBoxes.size() == 1);
    CHECK(shown.shell.inputBoxes[0].topmost);

    // Afterwards: vertical, inches, physical, where it was.
    CHECK(shown.stored(SettingsKey::Revision) == "0.905");
    CHECK(rectText(shown.shell.window) == "790,20 133x800");
    CHECK(shown.state().direction.markedIndex() == 1);
    CHECK(shown.state().unit.markedIndex() == 2);
    CHECK(shown.state().size.markedIndex() == 1);
    CHECK(shown.stored(SettingsKey::Direction) == "90");
    CHECK(shown.stored(SettingsKey::ScaleMode) == "Inches");
    CHECK(shown.stored(SettingsKey::SizeMode) == "1");
    CHECK(shown.stored(SettingsKey::Width) == "12000");
    CHECK(shown.stored(SettingsKey::Height) == "2000");
}

TEST_CASE("cancelledCalibrationOfAnUncalibratedPhysicalRulerShowsTheTip")
{
    ShownRuler shown("SizeMode=1\n");
    shown.commands.mnuRevise_Click();
    CHECK(shown.shell.inputBoxes.size() == 1);
    REQUIRE(shown.shell.textBoxes.size() == 1);
    CHECK(shown.shell.textBoxes[0].caption == CommandTexts::tipCaption);
    CHECK(shown.stored(SettingsKey::SizeMode) == "1");
    CHECK(shown.stored(SettingsKey::Revision) == "");
}
