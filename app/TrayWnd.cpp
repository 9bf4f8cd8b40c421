#include "app/TrayWnd.h"

#include "app/SiteMenuApp.h"
#include "app/TrayIcon.h"
#include "platform/Services.h"
#include "res/resource.h"

void CTrayWnd::OnTrayNotify(unsigned iconId, unsigned mouseMessage) {
    g_trayIcon.OnTrayNotification(iconId, mouseMessage);
}

bool CTrayWnd::OnCommand(int commandId) {
    switch (commandId) {
    case ID_UPDATE_NOW:
        theApp.CheckNow(false);
        return true;
    case ID_EXIT:
        Use<WindowService>().DestroyHiddenWindow();
        return true;
    default:
        return theApp.OpenSiteCommand(commandId);
    }
}

void CTrayWnd::OnDestroy() {
    Use<WindowService>().PostQuit(0);
}

void CTrayWnd::OnTaskbarCreated() {
    g_trayIcon.AddAgain();
}
