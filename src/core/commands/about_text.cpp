#include "about_text.h"

namespace {

constexpr std::string_view lineBreak = "\r\n";
constexpr std::string_view authorEmail = "ostrel@users.noreply.github.com";

} // namespace

namespace AboutText {

std::string text(int major, int minor, int revision)
{
    std::string about(productTitle);
    about.append(lineBreak).append(lineBreak);
    about.append("版本: Ver").append(std::to_string(major)).append(".");
    about.append(std::to_string(revision)).append(".").append(std::to_string(minor));
    about.append(lineBreak).append(lineBreak);
    about.append("作者: Ostrel ").append(authorEmail);
    about.append(lineBreak).append(lineBreak);
    about.append("官方论坛: ").append(RULER_HOMEPAGE_URL);
    return about;
}

std::string text()
{
    return text(RULER_VERSION_MAJOR, RULER_VERSION_MINOR, RULER_VERSION_PATCH);
}

} // namespace AboutText
