#include "core/commands/about_text.h"

#include <algorithm>
#include <doctest/doctest.h>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> split;
    size_t begin = 0;
    for (size_t end; (end = text.find("\r\n", begin)) != std::string::npos; begin = end + 2)
        split.push_back(text.substr(begin, end - begin));
    split.push_back(text.substr(begin));
    return split;
}

} // namespace

TEST_CASE("aboutTextLineByLine")
{
    const char *const patterns[] = {"^Ostrel屏幕刻度尺$",
                                    "^$",
                                    "^版本: Ver2\\.0\\.0$",
                                    "^$",
                                    "^作者: Ostrel [^\\s@]+@[^\\s@]+\\.[a-z]+$",
                                    "^$",
                                    "^官方论坛: https://\\S+$"};
    const std::string text = AboutText::text();
    const std::vector<std::string> shown = lines(text);
    REQUIRE(shown.size() == std::size(patterns));
    // Every break is a carriage return and a line feed, and none ends the text.
    CHECK(std::count(text.begin(), text.end(), '\r') == 6);
    CHECK(std::count(text.begin(), text.end(), '\n') == 6);
    for (size_t i = 0; i < shown.size(); ++i) {
        CAPTURE(shown[i]);
        CHECK(std::regex_search(shown[i], std::regex(patterns[i])));
    }
}

TEST_CASE("versionLinePutsRevisionBeforeMinor")
{
    const struct
    {
        std::string_view name;
        int major;
        int minor;
        int revision;
        const char *versionLine;
    } rows[] = {
        {"2.0.0", 2, 0, 0, "版本: Ver2.0.0"},
        {"minor 1, revision 5", 2, 1, 5, "版本: Ver2.5.1"},
        {"two digits", 10, 0, 12, "版本: Ver10.12.0"},
        {"minor only", 0, 3, 0, "版本: Ver0.0.3"},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        const std::vector<std::string> shown =
            lines(AboutText::text(row.major, row.minor, row.revision));
        REQUIRE(shown.size() == 7);
        CHECK(shown[2] == row.versionLine);
    }
}
