// The Windows program: the real platform around the application's run.
#include "app/SiteMenuApp.h"
#include "platform/ClockService.h"
#include "platform/Services.h"
#include "platform/win32/SessionInstance.h"
#include "platform/win32/Win32Platform.h"
#include "settings/Settings.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Autostart and the Start menu make a second start while one copy runs
    // common: it leaves the running copy alone and ends at once.
    const SessionInstance instance;
    if (!instance.IsFirst())
        return 0;
    Win32Platform platform;
    // The last query counts from the program's start until one is stored.
    g_settings.RestoreDefaults(Use<ClockService>().Now());
    return RunProgram();
}
