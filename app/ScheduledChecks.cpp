// The two timers and the sequence of a server check.
#include "app/BusyScope.h"
#include "app/CurrentMenu.h"
#include "app/SiteMenuApp.h"
#include "app/TrayIcon.h"
#include "menu/MenuData.h"
#include "platform/Services.h"
#include "settings/Settings.h"
#include "update/Prompts.h"

#include <cstdint>
#include <memory>

void CSiteMenuApp::StartHourlyTimer() {
    m_nHourlyTimer = Use<TimerService>().StartTimer(kHourlyTimerId, kHourlyPeriodMs);
}

void CSiteMenuApp::OnTimer(unsigned timerId) {
    if (timerId == m_nHourlyTimer) {
        // While anything else is going on the tick is lost; the next chance
        // comes an hour later.
        if (m_nBusyCount == 0)
            OnHourlyTimer();
    } else if (timerId == m_nBlinkTimer) {
        OnBlinkTimer();
    } else if (timerId == g_trayIcon.m_nClickTimer) {
        g_trayIcon.OnClickTimer();
    }
}

void CSiteMenuApp::OnHourlyTimer() {
    if (g_settings.IsCheckDue())
        CheckNow(true);
}

bool CSiteMenuApp::CheckNow(bool bPrompt) {
    CBusyScope busy;
    if (bPrompt && !PromptForQuery())
        return false;
    if (!PromptForConnection())
        return false;
    return UpdateMenu();
}

bool CSiteMenuApp::UpdateMenu() {
    // A tree that gives no pop-up menu is no menu at all, whatever number it
    // carries: asking with that number could turn the one menu on the server
    // away as "no new menu" at every start.
    const bool usable = g_pMenuData->GetMenuHandle() != nullptr;
    auto fresh = std::make_unique<CMenuData>();
    if (!fresh->UpdateFromServer(usable ? g_pMenuData->m_wMenuNumber : 0, usable))
        return false;
    delete g_pMenuData;
    g_pMenuData = fresh.release();
    g_trayIcon.m_hMenu = g_pMenuData->GetMenuHandle();
    g_settings.SaveMenu();
    // Only once the menu is stored: validators kept without it would have the
    // server answer "not modified" to the older menu stored.
    g_settings.StoreValidators(g_pMenuData->m_strSource, g_pMenuData->m_validators);
    return true;
}
