#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The icons shown in the notification area of the desktop's taskbar, as the shell
// of this desktop (another process) shows them. The shell gives every icon a
// tooltip control whose tool covers the icon; those tools are what is read.
struct ShownTrayIcon {
    RECT place{};    // on the screen
    std::string tip; // the tooltip text
};

std::vector<ShownTrayIcon> ListTrayIcons();
