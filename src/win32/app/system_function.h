#pragma once

#include <windows.h>

// A function of a system library that older versions of Windows lack, looked
// up as the program runs: one called by name would keep the program from
// starting there at all. nullptr where the system has none.
template<typename Function>
Function *systemFunction(const wchar_t *library, const char *name)
{
    const FARPROC found = GetProcAddress(GetModuleHandleW(library), name);
    return reinterpret_cast<Function *>(reinterpret_cast<void (*)()>(found));
}
