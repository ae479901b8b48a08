#include "app/settings_path.h"
#include "platform/win32/win32_file_system.h"
#include "ruler/ruler_window.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // The ruler's settings reach the disk through it for the whole run.
    static const Win32FileSystem files;
    Form1 ruler(RulerSettings(files, settingsFilePath()));
    ruler.show();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
