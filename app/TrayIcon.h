#pragma once

#include "platform/MenuService.h"
#include "platform/TrayService.h"

// The program's one icon in the notification area, and the menu it shows.
class CTrayIcon {
public:
    static constexpr unsigned kCallbackMessage = 0x400; // WM_USER

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
    int OnTrayNotification(unsigned iconId, unsigned mouseMessage);

    // The menu whose first sub-menu is the tray pop-up; owned by the current
    // menu tree. Null until the first menu exists.
    MenuHandle m_hMenu = nullptr;
    TrayIconRecord m_nid;
};

extern CTrayIcon g_trayIcon;
