#pragma once

#include "platform/win32/text_conversion.h"

#include <windows.h>

#include <string>
#include <string_view>

// The core speaks UTF-8; Windows' W functions speak UTF-16.
inline std::wstring wideFromUtf8(std::string_view text)
{
    return widened(text, CP_UTF8);
}

inline std::string utf8FromWide(std::wstring_view text)
{
    return narrowed(text, CP_UTF8, 0);
}
