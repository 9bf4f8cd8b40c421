#include "app/TrayIcon.h"

#include "app/BusyScope.h"
#include "app/SiteMenuApp.h"
#include "platform/Services.h"
#include "platform/TimerService.h"
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
    m_nid.window = Use<WindowService>().HiddenWindowHandle();
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
    Use<WindowService>().SetForegroundToHiddenWindow();

    if (mouseMessage == kLeftButtonDoubleClick) {
        // Whatever happens to it, its first click shows no pop-up and the
        // button-up that ends it is no new click.
        CancelPendingClick();
        m_bDoubleClickUpPending = true;
    } else if (mouseMessage == kLeftButtonUp && m_bDoubleClickUpPending) {
        m_bDoubleClickUpPending = false;
        return 0;
    }

    const MenuHandle popUp = ReadyPopUp();
    if (popUp == nullptr)
        return 0;
    switch (mouseMessage) {
    case kLeftButtonDoubleClick:
        OpenFirstSite(popUp);
        return 0;
    case kLeftButtonUp:
        // Without the wait the pop-up's own loop would swallow the second
        // click, and a double click could never open the first site.
        CancelPendingClick();
        m_nClickTimer =
            Use<TimerService>().StartTimer(kClickTimerId, Use<WindowService>().DoubleClickTimeMs());
        if (m_nClickTimer == 0)
            return ShowPopUp(popUp);
        return 0;
    default:
        CancelPendingClick();
        return ShowPopUp(popUp);
    }
}

void CTrayIcon::OnClickTimer() {
    CancelPendingClick();
    // Something may have begun in the meantime, or the menu gone.
    const MenuHandle popUp = ReadyPopUp();
    if (popUp != nullptr)
        ShowPopUp(popUp);
}

MenuHandle CTrayIcon::ReadyPopUp() const {
    if (m_hMenu == nullptr || theApp.m_nBusyCount != 0)
        return nullptr;
    return Use<MenuService>().GetSubMenu(m_hMenu, 0);
}

int CTrayIcon::ShowPopUp(MenuHandle popUp) {
    CBusyScope busy(false);
    MenuService& menus = Use<MenuService>();
    menus.SetDefaultItem(popUp, 0);
    const bool tracked = menus.TrackAtCursor(popUp);
    // Without it the menu stays open when the user clicks elsewhere.
    Use<WindowService>().PostNullMessage();
    return tracked ? 1 : 0;
}

void CTrayIcon::OpenFirstSite(MenuHandle popUp) {
    CBusyScope busy(false);
    theApp.OpenSiteCommand(Use<MenuService>().GetItemId(popUp, 0));
}

void CTrayIcon::CancelPendingClick() {
    if (m_nClickTimer == 0)
        return;
    Use<TimerService>().StopTimer(m_nClickTimer);
    m_nClickTimer = 0;
}
