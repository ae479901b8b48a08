#include "core/settings/profile_file.h"
#include "temporary_settings_file.h"

#include <array>
#include <doctest/doctest.h>
#include <string>
#include <string_view>
#include <vector>

using namespace std::string_literals;

TEST_CASE("missingFileReadsEmptyAndFirstWriteCreatesIt")
{
    TemporarySettingsFile file;
    CHECK(file.read("ScaleMode") == "");
    CHECK(!file.exists());

    CHECK(file.write("ScaleMode", "Millimeters"));
    CHECK(file.text() == newFileLines("[General]\nScaleMode=Millimeters\n"));
    CHECK(file.write("Width", "9780"));
    CHECK(file.text() == newFileLines("[General]\nScaleMode=Millimeters\nWidth=9780\n"));
    CHECK(file.read("Width") == "9780");
}

TEST_CASE("readsCleanedValues")
{
    const struct
    {
        std::string_view name;
        std::string line;
        std::string expected;
    } rows[] = {
        {"plain", "Key=90", "90"},
        {"blanks between colour pairs", "Key=# FF FF 00", "#FFFF00"},
        {"blank inside a number", "Key=9 0", "90"},
        {"blanks around", "  Key  =   90   ", "90"},
        {"tabs around", "Key\t=\t90\t", "90"},
        {"NUL inside",
         "Key=9\0"s
         "0",
         "90"},
        {"empty value", "Key=", ""},
        {"equals inside value", "Key=a=b", "a=b"},
        {"quotes stay", "Key=\"x\"", "\"x\""},
        {"UTF-8 text", "Key=毫 米", "毫米"},
        // A byte-order mark that starts a value is part of it.
        {"byte-order mark starting a value",
         "Key=\xEF\xBB\xBF"
         "90",
         "\xEF\xBB\xBF"
         "90"},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        TemporarySettingsFile file;
        file.setText("[General]\n" + row.line + "\n");
        CHECK(file.read("Key") == row.expected);
    }
}

TEST_CASE("longValuesAreCutTo999Bytes")
{
    TemporarySettingsFile file;
    file.setText("[General]\nBackColor=" + std::string(1200, 'A') + "\n");
    CHECK(file.read("BackColor") == std::string(999, 'A'));

    // A character of several bytes that straddles the cut is left out whole.
    file.setText("[General]\nKey=" + std::string(998, 'a') + "中b\n");
    CHECK(file.read("Key") == std::string(998, 'a'));

    // The cut comes before the blanks are removed.
    file.setText("[General]\nKey=" + std::string(500, 'a') + std::string(499, ' ') + "tail\n");
    CHECK(file.read("Key") == std::string(500, 'a'));
}

TEST_CASE("namesMatchWithoutRegardToCase")
{
    TemporarySettingsFile file;
    file.setText("[ general ]\nbackcolor=#FF0000\n");
    CHECK(file.read("BackColor") == "#FF0000");

    CHECK(file.write("BACKCOLOR", "#00FF00"));
    CHECK(file.text() == "[ general ]\nbackcolor=#00FF00\n");
}

TEST_CASE("firstSectionAndFirstKeyWin")
{
    TemporarySettingsFile file;
    file.setText("[General]\nA=1\nA=2\n[Other]\nB=3\n[General]\nA=4\nB=5\n");
    CHECK(file.read("A") == "1");
    CHECK(file.read("B") == "5");
    CHECK(ReadIniValue(file.files(), file.path(), "Other", "B") == "3");

    CHECK(file.write("A", "9"));
    CHECK(file.write("B", "8"));
    CHECK(file.text() == "[General]\nA=9\nA=2\n[Other]\nB=3\n[General]\nA=4\nB=8\n");
}

TEST_CASE("writeChangesOnlyItsLine")
{
    const std::string commented = "; ruler settings\r\n"
                                  "[General]\r\n"
                                  "# keep me\r\n"
                                  "Width = 9780   \r\n"
                                  "Unknown=x\r\n"
                                  "\r\n"
                                  "[Other]\r\n"
                                  "Width=1\r\n";
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = commented;
        return text.replace(text.find(from), from.size(), to);
    };
    const struct
    {
        std::string_view name;
        std::string before;
        const char *key;
        std::string after;
    } rows[] = {
        {"existing key, CRLF, comments, other sections", commented, "Width",
         replaced("Width = 9780   ", "Width =VALUE")},
        {"new key goes after the section's last line, before the blank line", commented, "Height",
         replaced("Unknown=x\r\n", "Unknown=x\r\nHeight=VALUE\r\n")},
        {"last line without line end", "[General]\nA=1", "B", "[General]\nA=1\nB=VALUE\n"},
        {"section header without line end", "[General]", "B", newFileLines("[General]\nB=VALUE\n")},
        {"missing section is appended", "[Other]\nA=1", "B", "[Other]\nA=1\n[General]\nB=VALUE\n"},
        {"CR-only line ends", "[General]\rA=1\r", "B", "[General]\rA=1\rB=VALUE\r"},
        {"new key ends as the line before it, not joining a blank line",
         "[General]\rA=1\n\n[Other]\rB=2\r", "C", "[General]\rA=1\nC=VALUE\n\n[Other]\rB=2\r"},
        {"byte-order mark", "\xEF\xBB\xBF[General]\nA=1\n", "A",
         "\xEF\xBB\xBF[General]\nA=VALUE\n"},
        {"only a byte-order mark", "\xEF\xBB\xBF", "A",
         "\xEF\xBB\xBF" + newFileLines("[General]\nA=VALUE\n")},
        {"key in a comment is not the key", "[General]\n;A=1\n", "A", "[General]\n;A=1\nA=VALUE\n"},
        {"junk before the first section", "\x01\x02junk=1\n[General]\n", "junk",
         "\x01\x02junk=1\n[General]\njunk=VALUE\n"},
        {"value with NUL bytes in the file", "[General]\nA=\0\0\nB=2\n"s, "A",
         "[General]\nA=VALUE\nB=2\n"},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        TemporarySettingsFile file;
        file.setText(row.before);
        CHECK(file.write(row.key, "VALUE"));
        CHECK(file.text() == row.after);
        CHECK(file.read(row.key) == "VALUE");
    }
}

TEST_CASE("refusesWhatCannotStandOnOneLine")
{
    const struct
    {
        std::string_view name;
        const char *section;
        const char *key;
        const char *value;
    } rows[] = {
        {"line feed in value", "General", "A", "1\n[Evil]"},
        {"carriage return in value", "General", "A", "1\r2"},
        {"equals in key", "General", "A=B", "1"},
        {"bracket key", "General", "[A", "1"},
        {"comment key", "General", ";A", "1"},
        {"empty key", "General", "", "1"},
        {"blank around key", "General", " A", "1"},
        {"bracket in section", "Gen]eral", "A", "1"},
        {"empty section", "", "A", "1"},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        TemporarySettingsFile file;
        file.setText("[General]\nA=0\n");
        CHECK(!WriteIniValue(file.files(), file.path(), row.section, row.key, row.value));
        CHECK(file.text() == "[General]\nA=0\n");
    }
}

TEST_CASE("severalKeysInOneReadingAndInOneChange")
{
    TemporarySettingsFile file;
    CHECK(IniFileText(file.files(), file.path()).value("General", "B") == "");
    file.setText("[General]\nA=1\nB= 2 2\n");
    const IniFileText reading(file.files(), file.path());
    file.setText("[General]\n");
    CHECK(reading.value("General", "B") == "22");
    CHECK(reading.value("General", "Missing") == "");
    CHECK(reading.value("General", "a") == "1");

    const std::array written{IniEntry{"A", "3"}, IniEntry{"C", "4"}};
    CHECK(WriteIniValues(file.files(), file.path(), "General", written));
    CHECK(file.text() == "[General]\nA=3\nC=4\n");
    // One that cannot be stored, and none of them is.
    const std::array refused{IniEntry{"A", "5"}, IniEntry{"D", "6\n7"}};
    CHECK(!WriteIniValues(file.files(), file.path(), "General", refused));
    CHECK(file.text() == "[General]\nA=3\nC=4\n");
}

TEST_CASE("oversizedFileIsNeitherReadNorRewritten")
{
    TemporarySettingsFile file;
    const std::string huge = "[General]\nA=1\n" + std::string(17 * 1024 * 1024, 'x');
    file.setText(huge);
    CHECK(file.read("A") == "");
    CHECK(!file.write("A", "2"));
    CHECK(file.text().size() == huge.size());
}
