#pragma once

#include <windows.h>

template<typename Function>
Function *functionOf(HMODULE library, const char *name)
{
    const FARPROC found = library ? GetProcAddress(library, name) : nullptr;
    return reinterpret_cast<Function *>(reinterpret_cast<void (*)()>(found));
}

// A function of a system library that older versions of Windows lack, looked
// up as the program runs: one called by name would keep the program from
// starting there at all. nullptr where the system has none.
template<typename Function>
Function *systemFunction(const wchar_t *library, const char *name)
{
    return functionOf<Function>(GetModuleHandleW(library), name);
}

// A function of a system library that the program does not import, loaded
// when first needed: a library imported by name loads, and under Wine
// initialises itself, at every start, used or not. The library is one of
// Windows' known DLLs, which are always taken from the system's folder.
// nullptr where it cannot be loaded.
template<typename Function>
Function *loadedFunction(const wchar_t *library, const char *name)
{
    return functionOf<Function>(LoadLibraryW(library), name);
}
