#include "settings_path.h"

#include "core/settings/settings_path.h"
#include "wide_text.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <knownfolders.h>
#include <shlobj.h>

namespace {

std::wstring programFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring knownFolder(const KNOWNFOLDERID &id, DWORD flags)
{
    PWSTR found = nullptr;
    std::wstring folder;
    if (SHGetKnownFolderPath(id, flags, nullptr, &found) == S_OK)
        folder = found;
    CoTaskMemFree(found);
    return folder;
}

// Whether folder is root or lies inside it, in any letter case.
bool isWithin(const std::wstring &folder, const std::wstring &root)
{
    if (root.empty())
        return false;
    const std::wstring inside = folder + L'\\';
    const std::wstring rootInside = root + L'\\';
    return inside.size() >= rootInside.size() &&
           CompareStringOrdinal(inside.data(), int(rootInside.size()), rootInside.data(),
                                int(rootInside.size()), TRUE) == CSTR_EQUAL;
}

// An installed copy lies under one of the Program Files folders, which serve
// every user of the machine; an administrator may well write there.
bool isInstalled(const std::wstring &folder)
{
    const std::array programFiles{knownFolder(FOLDERID_ProgramFiles, 0),
                                  knownFolder(FOLDERID_ProgramFilesX86, 0)};
    return std::any_of(programFiles.begin(), programFiles.end(),
                       [&](const std::wstring &root) { return isWithin(folder, root); });
}

bool exists(const std::wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Whether a file can be made in the folder: a file of the program's own that
// goes again as soon as it is closed.
bool isWritable(const std::wstring &folder)
{
    const std::wstring probe =
        folder + L"\\ruler-" + std::to_wstring(GetCurrentProcessId()) + L".probe";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

std::wstring fileIn(const std::wstring &folder)
{
    return folder + L'\\' + wideFromUtf8(settingsFileName);
}

} // namespace

std::string settingsFilePath()
{
    const std::wstring folder = programFolder();
    const std::wstring besideProgram = fileIn(folder);
    const ProgramFolder facts{isInstalled(folder), exists(besideProgram), isWritable(folder)};
    if (keepsSettingsBesideProgram(facts))
        return utf8FromWide(besideProgram);

    const std::wstring appData = knownFolder(FOLDERID_RoamingAppData, KF_FLAG_CREATE);
    // Without a per-user folder the file beside the program is still tried.
    if (appData.empty())
        return utf8FromWide(besideProgram);
    const std::wstring userFolder = appData + L"\\ruler";
    CreateDirectoryW(userFolder.c_str(), nullptr);
    return utf8FromWide(fileIn(userFolder));
}
