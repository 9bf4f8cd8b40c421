#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The icons shown in the notification area of the desktop's taskbar, as the shell
// of this desktop (another process) shows them. The shell gives every icon a
// tooltip control, owned by the taskbar, whose tool's rectangle in the taskbar
// covers the icon; those tools are what is read. (Wine 8 draws the icons in the
// taskbar itself; a shell with a window for each icon would need another way.)
struct ShownTrayIcon {
    RECT place{};    // on the screen
    std::string tip; // the tooltip text
};

std::vector<ShownTrayIcon> ListTrayIcons();
