#include "app/SiteMenuApp.h"
#include "app/TrayIcon.h"
#include "platform/Services.h"
#include "platform/WindowService.h"

int RunProgram() {
    WindowService& window = Use<WindowService>();
    int exitCode = 0;
    if (theApp.InitInstance()) {
        exitCode = window.RunMessageLoop();
    } else {
        window.DestroyHiddenWindow();
    }
    exitCode = theApp.ExitInstance(exitCode);
    // Last of all, so that no icon is left behind in the notification area.
    g_trayIcon.Remove();
    return exitCode;
}
