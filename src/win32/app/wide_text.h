#pragma once

#include <string>
#include <string_view>

// The core speaks UTF-8; Windows' W functions speak UTF-16.
std::wstring wideFromUtf8(std::string_view text);
std::string utf8FromWide(std::wstring_view text);
