#include "text_conversion.h"

#include <windows.h>

std::wstring widened(std::string_view text, unsigned codePage)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

std::string narrowed(std::wstring_view text, unsigned codePage, unsigned long flags)
{
    if (text.empty())
        return {};
    const int length = WideCharToMultiByte(codePage, flags, text.data(), int(text.size()), nullptr,
                                           0, nullptr, nullptr);
    std::string narrow(size_t(length), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), int(text.size()), narrow.data(), length,
                        nullptr, nullptr);
    return narrow;
}

std::wstring widePath(const std::string &path)
{
    return widened(path, CP_UTF8);
}
