#pragma once

#include <string>
#include <string_view>

// Text between a code page's bytes and Windows' UTF-16, as
// MultiByteToWideChar and WideCharToMultiByte convert it.

std::wstring widened(std::string_view text, unsigned codePage);
std::string narrowed(std::wstring_view text, unsigned codePage, unsigned long flags);

// A UTF-8 path as the wide-character calls take it.
std::wstring widePath(const std::string &path);
