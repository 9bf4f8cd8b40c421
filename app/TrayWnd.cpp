#include "app/TrayWnd.h"

#include "about/AboutDlg.h"
#include "app/SiteMenuApp.h"
#include "app/TrayIcon.h"
#include "platform/Services.h"
#include "res/resource.h"
#include "settings/PreferencesDlg.h"

void CTrayWnd::OnTrayNotify(unsigned iconId, unsigned mouseMessage) {
    g_trayIcon.OnTrayNotification(iconId, mouseMessage);
}

bool CTrayWnd::OnCommand(int commandId) {
    switch (commandId) {
    case ID_PREFERENCES: {
        CPreferencesDlg preferences(false);
        preferences.DoModal();
        return true;
    }
    case ID_ABOUT: {
        CAboutDlg about;
        Use<DialogService>().RunModal(IDD_ABOUT, about);
        return true;
    }
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
