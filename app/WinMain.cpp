// The Windows program: the real platform around the application's run.
#include "app/SiteMenuApp.h"
#include "platform/ClockService.h"
#include "platform/Services.h"
#include "platform/win32/Win32Platform.h"
#include "settings/Settings.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Win32Platform platform;
    // The last query counts from the program's start until one is stored.
    g_settings.RestoreDefaults(Use<ClockService>().Now());
    return RunProgram();
}
