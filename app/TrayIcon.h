#pragma once

#include "platform/MenuService.h"
#include "platform/TrayService.h"

// The program's one icon in the notification area, and the menu it shows.
class CTrayIcon {
public:
    static constexpr unsigned kCallbackMessage = 0x400; // WM_USER
    static constexpr unsigned kClickTimerId = 3;

    explicit CTrayIcon(unsigned iconId);

    // Shows the icon with its image and tooltip (at most 63 characters).
    bool Add(IconHandle icon, const std::string& tip);
    // Adds the icon once more after the notification area was recreated, if
    // it had been added.
    void AddAgain();
    // Changes the image in place; the tooltip and callback go along.
    void SetIcon(IconHandle icon);
    void Remove();

    // The reaction to a mouse action on the icon: a left or right click shows
    // the pop-up at the cursor, a left double click opens the first site.
    // A left click's pop-up waits for the double-click time, for the click
    // may turn out to be the first half of a double click.
    int OnTrayNotification(unsigned iconId, unsigned mouseMessage);
    // The double-click time has passed after a left click: its pop-up shows.
    void OnClickTimer();

    // The menu whose first sub-menu is the tray pop-up; owned by the current
    // menu tree. Null until the first menu exists.
    MenuHandle m_hMenu = nullptr;
    TrayIconRecord m_nid;
    // The running timer of a left click whose pop-up is still to come; 0 when
    // there is none.
    unsigned m_nClickTimer = 0;

private:
    // The pop-up, when there is a menu and nothing else is going on.
    MenuHandle ReadyPopUp() const;
    int ShowPopUp(MenuHandle popUp);
    void OpenFirstSite(MenuHandle popUp);
    void CancelPendingClick();

    // A double click ends with one more button-up, which is no click.
    bool m_bDoubleClickUpPending = false;
};

extern CTrayIcon g_trayIcon;
