#include "shown_ruler.h"

#include <doctest/doctest.h>
#include <optional>
#include <string>
#include <string_view>

TEST_CASE("firstStartWithoutSettingsFile")
{
    const ShownRuler shown;
    CHECK(shown.shell.opacity == 255);
    CHECK(rectText(shown.shell.window) == "0,0 652x120");
    // Load writes the unit, the first layout the size; nothing else is stored yet.
    CHECK(shown.file.text() ==
          newFileLines("[General]\nScaleMode=Millimeters\nWidth=9780\nHeight=1800\n"));
}

TEST_CASE("loadAppliesEachStoredChoice")
{
    // The choices a loaded ruler marks, as menu indexes; by default those of
    // a ruler without settings.
    struct Choices
    {
        bool taskbar = false;
        bool topmost = false;
        int direction = 0;
        int sizeMode = 0;
        int unit = 3;
        std::string storedUnit = "Millimeters";
    };
    const struct
    {
        std::string_view name;
        std::optional<std::string_view> settings;
        Choices choices;
    } rows[] = {
        {"no settings file", std::nullopt, {}},
        {"taskbar true", "ShowInTaskBar=true\n", {.taskbar = true}},
        {"taskbar TRUE", "ShowInTaskBar=TRUE\n", {.taskbar = true}},
        {"taskbar 1 is no", "ShowInTaskBar=1\n", {}},
        {"taskbar yes is no", "ShowInTaskBar=yes\n", {}},
        {"topmost", "AlwaysOnTop=True\n", {.topmost = true}},
        {"vertical", "Direction=90\n", {.direction = 1}},
        {"vertical with a blank", "Direction=90 \n", {.direction = 1}},
        {"90.0 is not the text 90", "Direction=90.0\n", {}},
        {"physical 1.0", "SizeMode=1.0\n", {.sizeMode = 1}},
        {"size mode 2 marks virtual", "SizeMode=2\n", {}},
        {"inches", "ScaleMode=Inches\n", {.unit = 2, .storedUnit = "Inches"}},
        {"pixels", "ScaleMode=Pixels\n", {.unit = 1, .storedUnit = "Pixels"}},
        {"lower-case inches", "ScaleMode=inches\n", {}},
        {"everything",
         "ShowInTaskBar=True\nAlwaysOnTop=true\nDirection=90\nSizeMode=1\nScaleMode=Pixels\n",
         {true, true, 1, 1, 1, "Pixels"}},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        ShownRuler shown(row.settings);
        const CommandState &state = shown.state();
        CHECK(state.taskbar == row.choices.taskbar);
        CHECK(shown.shell.taskbar == row.choices.taskbar);
        CHECK(state.alwaysOnTop == row.choices.topmost);
        CHECK(shown.shell.topmost == row.choices.topmost);
        // One of the two is marked: markedIndex() is 0 also when none is.
        CHECK(state.direction.isMarked(row.choices.direction));
        CHECK(!state.direction.isMarked(1 - row.choices.direction));
        CHECK(state.size.isMarked(row.choices.sizeMode));
        CHECK(!state.size.isMarked(1 - row.choices.sizeMode));
        CHECK(state.unit.markedIndex() == row.choices.unit);
        CHECK(shown.stored(SettingsKey::ScaleMode) == row.choices.storedUnit);
    }
}

TEST_CASE("opacityIsBroughtIntoRange")
{
    const struct
    {
        std::optional<std::string_view> stored;
        int alpha;
    } rows[] = {
        {std::nullopt, 255}, {"", 255}, {"abc", 0},    {"127.5", 128}, {"126.5", 126},
        {"300", 255},        {"-5", 0}, {"1e30", 255}, {"1e999", 0},   {"&H80", 128},
    };
    for (const auto &row : rows) {
        CAPTURE(row.stored.value_or("missing"));
        const std::string line =
            row.stored ? "Transparent=" + std::string(*row.stored) + "\n" : std::string();
        // The unit is stored after the opacity: the load goes on past any opacity.
        ShownRuler shown(line + "ScaleMode=Inches\n");
        CHECK(shown.shell.opacity == row.alpha);
        CHECK(shown.state().unit.markedIndex() == 2);
    }
}

TEST_CASE("unitCommandMarksStoresAndRepaints")
{
    ShownRuler shown;
    shown.commands.mnuScaleMode_Click(2);
    CHECK(shown.state().unit.markedIndex() == 2);
    CHECK(!shown.state().unit.isMarked(1));
    CHECK(!shown.state().unit.isMarked(3));
    CHECK(shown.stored(SettingsKey::ScaleMode) == "Inches");
    CHECK(shown.hint() == "英寸");

    shown.commands.mnuScaleMode_Click(1);
    CHECK(shown.stored(SettingsKey::ScaleMode) == "Pixels");

    // An index outside the group unchecks every unit and means millimetres.
    shown.commands.mnuScaleMode_Click(0);
    CHECK(shown.state().unit.markedIndex() == 0);
    CHECK(shown.stored(SettingsKey::ScaleMode) == "Millimeters");
    CHECK(shown.hint() == "毫米");

    // The checked unit again still repaints from the file.
    shown.commands.mnuScaleMode_Click(3);
    shown.settings.write(SettingsKey::BackColor, "#0000FF");
    const int shownBefore = shown.shell.picturesShown;
    shown.commands.mnuScaleMode_Click(3);
    CHECK(shown.state().unit.markedIndex() == 3);
    CHECK(shown.shell.picturesShown == shownBefore + 1);
    CHECK(shown.ruler.picture().fills.front().color == 0xFF0000); // the background
}

TEST_CASE("firstLayoutRestoresSizeAndPosition")
{
    const struct
    {
        std::string_view name;
        std::string_view settings;
        std::string geometry;
    } rows[] = {
        {"horizontal", "Width=12000\nHeight=2000\nLeft=1500\nTop=3000\n", "100,200 800x133"},
        {"vertical takes Width as its height",
         "Direction=90\nWidth=12000\nHeight=2000\nLeft=1500\nTop=300\n", "100,20 133x800"},
        {"partly off the left edge stays", "Left=-3000\nTop=-300\n", "-200,-20 652x120"},
        {"missing size is the minimum", "Left=15\n", "1,0 652x120"},
        {"too small is the minimum", "Width=100\nHeight=abc\n", "0,0 652x120"},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        CHECK(rectText(ShownRuler(row.settings).shell.window) == row.geometry);
    }
}

TEST_CASE("turningKeepsLengthAndBreadth")
{
    ShownRuler shown("Width=12000\nHeight=2000\n");
    shown.shell.moveWindow({30, 40});
    CHECK(rectText(shown.shell.window) == "30,40 800x133");

    shown.commands.mnuDirection_Click(1);
    CHECK(rectText(shown.shell.window) == "30,40 133x800");
    CHECK(shown.stored(SettingsKey::Direction) == "90");
    CHECK(shown.stored(SettingsKey::Width) == "12000");
    CHECK(shown.stored(SettingsKey::Height) == "2000");

    shown.commands.mnuDirection_Click(0);
    CHECK(rectText(shown.shell.window) == "30,40 800x133");
    CHECK(shown.stored(SettingsKey::Width) == "12000");
    CHECK(shown.stored(SettingsKey::Height) == "2000");
    CHECK(!shown.ruler.IsDirection);

    // The orientation already in force leaves the window as it was.
    shown.commands.mnuDirection_Click(0);
    CHECK(rectText(shown.shell.window) == "30,40 800x133");
}

TEST_CASE("minimumSizePerOrientation")
{
    const struct
    {
        std::string_view name;
        std::string_view settings;
        Size stretched;
        std::string expected;
    } rows[] = {
        {"horizontal too short", "", {400, 130}, "0,0 652x130"},
        {"horizontal too narrow", "", {700, 66}, "0,0 700x120"},
        {"horizontal both", "", {10, 10}, "0,0 652x120"},
        {"vertical too short", "Direction=90\n", {130, 400}, "0,0 130x652"},
        {"vertical too narrow", "Direction=90\n", {60, 700}, "0,0 120x700"},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        ShownRuler shown(row.settings);
        shown.shell.resizeWindow(row.stretched);
        CHECK(rectText(shown.shell.window) == row.expected);
    }
}

TEST_CASE("everyResizeStoresLengthAndBreadth")
{
    ShownRuler shown("Direction=90\n");
    shown.files.reads = 0;
    shown.files.locks = 0;
    shown.shell.resizeWindow({150, 700});
    // Each step of a drag reads the file once, and changes it once: one
    // more reading under the lock.
    CHECK(shown.files.reads == 2);
    CHECK(shown.files.locks == 1);
    // A vertical ruler's height is its length, stored under Width.
    CHECK(shown.stored(SettingsKey::Width) == "10500");
    CHECK(shown.stored(SettingsKey::Height) == "2250");
}

TEST_CASE("gripStaysInTheCorner")
{
    ShownRuler shown;
    shown.shell.resizeWindow({900, 200});
    CHECK(rectText(shown.shell.grip) == "876,188 24x12");
    shown.commands.mnuDirection_Click(1);
    CHECK(rectText(shown.shell.grip) == "176,888 24x12");
}

TEST_CASE("closingStoresThePosition")
{
    ShownRuler shown;
    shown.shell.moveWindow({100, -20});
    shown.ruler.Form_Unload();
    CHECK(shown.file.text() == newFileLines("[General]\nScaleMode=Millimeters\nWidth=9780\n"
                                            "Height=1800\nLeft=1500\nTop=-300\n"));
}

TEST_CASE("arrowKeysMove")
{
    const struct
    {
        std::string_view name;
        RulerKey key;
        bool shift;
        std::string geometry;
    } rows[] = {
        // From (100, 100) pixels, 1500 twips each: 100 twips is 6.7 pixels, 10 twips 0.7.
        {"up", RulerKey::Up, false, "100,93 652x120"},
        {"shift up", RulerKey::Up, true, "100,99 652x120"},
        {"shift down", RulerKey::Down, true, "100,101 652x120"},
        {"left", RulerKey::Left, false, "93,100 652x120"},
        {"right", RulerKey::Right, false, "107,100 652x120"},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        ShownRuler shown("Left=1500\nTop=1500\n");
        const std::string before = shown.file.text();
        shown.ruler.keyDown(row.key, row.shift);
        CHECK(rectText(shown.shell.window) == row.geometry);
        CHECK(shown.file.text() == before);
    }
}

TEST_CASE("movesLeaveTheOtherCoordinateAlone")
{
    // At x = 790 on the 800-pixel screen, beyond where a move to the right
    // would stop (800 - the grip's 24 pixels).
    ShownRuler shown("Left=11850\nTop=1500\n");
    CHECK(rectText(shown.shell.window) == "790,100 652x120");
    shown.ruler.keyDown(RulerKey::Up, false);
    CHECK(rectText(shown.shell.window) == "790,93 652x120");
    shown.commands.mnuMove_Click(4);
    CHECK(rectText(shown.shell.window) == "790,93 652x120");
    shown.ruler.keyDown(RulerKey::Left, false);
    CHECK(rectText(shown.shell.window) == "783,93 652x120");
}
