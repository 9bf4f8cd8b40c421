#include "app/SiteMenuApp.h"

#include "app/BusyScope.h"
#include "app/CurrentMenu.h"
#include "app/TrayIcon.h"
#include "app/Version.h"
#include "browser/BrowserLauncher.h"
#include "menu/MenuData.h"
#include "platform/DialogService.h"
#include "platform/Services.h"
#include "platform/WindowService.h"
#include "res/resource.h"
#include "settings/Settings.h"

CSiteMenuApp theApp;

bool CSiteMenuApp::InitInstance() {
    Use<TimerService>().SetSink(this);
    Use<WindowService>().CreateHiddenWindow("Vellinor1", m_wndTray);

    TrayService& tray = Use<TrayService>();
    m_hIconNormal = tray.LoadIcon(IDI_TRAY);
    m_hIconBusy = tray.LoadIcon(IDI_TRAY_BUSY);
    g_trayIcon.Add(m_hIconNormal, std::string(kProductName));

    g_pMenuData = new CMenuData;
    g_settings.Load();

    const MenuHandle menu = g_pMenuData->GetMenuHandle();
    if (menu != nullptr) {
        g_trayIcon.m_hMenu = menu;
        if (g_settings.IsCheckDue())
            CheckNow(true);
        StartHourlyTimer();
        return true;
    }

    // No usable menu: the first run asks the user to connect for the first
    // download, and only a successful one lets the program run.
    DialogHandler setup;
    if (Use<DialogService>().RunModal(IDD_SETUP, setup) == DialogHandler::kOk && UpdateMenu()) {
        StartHourlyTimer();
        return true;
    }
    return false;
}

int CSiteMenuApp::ExitInstance(int exitCode) {
    delete g_pMenuData;
    g_pMenuData = nullptr;
    return exitCode;
}

bool CSiteMenuApp::OpenSiteCommand(int nCommandId) {
    std::string address;
    if (!g_pMenuData->FindCommand(nCommandId, address))
        return false;
    // The tray menu must not open over the browser's start or its message:
    // "E&xit" would destroy the window that owns the box.
    CBusyScope busy(false);
    OpenUrlInBrowser(g_settings.m_bOpenNewBrowserWindow, address);
    return true;
}
