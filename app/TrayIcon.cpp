#include "app/TrayIcon.h"

#include "app/BusyScope.h"
#include "app/SiteMenuApp.h"
#include "platform/Services.h"
#include "platform/WindowService.h"

namespace {

constexpr unsigned kLeftButtonUp = 0x202;
constexpr unsigned kLeftButtonDoubleClick = 0x203;
constexpr unsigned kRightButtonUp = 0x205;
constexpr std::size_t kTipCapacity = 63;

} // namespace

CTrayIcon g_trayIcon(10);

CTrayIcon::CTrayIcon(unsigned iconId) {
    m_nid.iconId = iconId;
}

bool CTrayIcon::Add(IconHandle icon, const std::string& tip) {
    m_nid.flags |= TrayIconRecord::kMessage | TrayIconRecord::kIcon;
    m_nid.callbackMessage = kCallbackMessage;
    m_nid.icon = icon;
    m_nid.tip = tip.substr(0, kTipCapacity);
    m_nid.flags |= TrayIconRecord::kTip;
    return Use<TrayService>().AddIcon(m_nid);
}

void CTrayIcon::AddAgain() {
    if (m_nid.flags != 0)
        Use<TrayService>().AddIcon(m_nid);
}

void CTrayIcon::SetIcon(IconHandle icon) {
    m_nid.icon = icon;
    Use<TrayService>().ModifyIcon(m_nid);
}

void CTrayIcon::Remove() {
    m_nid.icon = nullptr;
    Use<TrayService>().DeleteIcon(m_nid);
}

int CTrayIcon::OnTrayNotification(unsigned iconId, unsigned mouseMessage) {
    if (iconId != m_nid.iconId)
        return 0;
    if (mouseMessage != kLeftButtonUp && mouseMessage != kLeftButtonDoubleClick &&
        mouseMessage != kRightButtonUp)
        return 0;
    WindowService& window = Use<WindowService>();
    window.SetForegroundToHiddenWindow();
    if (m_hMenu == nullptr || theApp.m_nBusyCount != 0)
        return 0;
    MenuService& menus = Use<MenuService>();
    const MenuHandle popUp = menus.GetSubMenu(m_hMenu, 0);
    if (popUp == nullptr)
        return 0;

    CBusyScope busy(false);
    if (mouseMessage == kLeftButtonDoubleClick) {
        theApp.OpenSiteCommand(menus.GetItemId(popUp, 0));
        return 0;
    }
    menus.SetDefaultItem(popUp, 0);
    const bool tracked = menus.TrackAtCursor(popUp);
    // Without it the menu stays open when the user clicks elsewhere.
    window.PostNullMessage();
    return tracked ? 1 : 0;
}
