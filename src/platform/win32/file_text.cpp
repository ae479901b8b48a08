#include "text_conversion.h"
#include "win32_file_system.h"

#include <algorithm>
#include <windows.h>

namespace {

// Every ANSI code page keeps ASCII as it is: the settings the program itself
// writes need no conversion.
bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

Win32FileSystem::Win32FileSystem(unsigned codePage)
    : m_codePage(codePage == ansiCodePage ? GetACP() : codePage)
{}

std::string Win32FileSystem::toFileText(std::string_view text) const
{
    if (m_codePage == utf8CodePage || isAscii(text))
        return std::string(text);
    // No best fit: a character the code page lacks becomes "?", never a
    // look-alike that changes what the line says ("＝" as "=").
    return narrowed(widened(text, CP_UTF8), m_codePage, WC_NO_BEST_FIT_CHARS);
}

std::string Win32FileSystem::fromFileText(std::string_view stored) const
{
    if (m_codePage == utf8CodePage || isAscii(stored))
        return std::string(stored);
    return narrowed(widened(stored, m_codePage), CP_UTF8, 0);
}
