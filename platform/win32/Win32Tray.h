#pragma once

#include "platform/TrayService.h"
#include "platform/win32/UniqueHandles.h"
#include "platform/win32/Win32Window.h"

#include <windows.h>

#include <map>

// Gone again, as in platform/TrayService.h, for when that came first.
#ifdef LoadIcon
#undef LoadIcon
#endif

// The notification-area icon of the hidden window.
class Win32Tray : public TrayService {
public:
    explicit Win32Tray(Win32Window& window) : m_window(window) {}

    // Loads at the system's small-icon size, which is what the notification
    // area shows; the icon lives as long as this service.
    IconHandle LoadIcon(unsigned resourceId) override;
    bool AddIcon(const TrayIconRecord& record) override;
    bool ModifyIcon(const TrayIconRecord& record) override;
    bool DeleteIcon(const TrayIconRecord& record) override;

private:
    bool Notify(DWORD operation, const TrayIconRecord& record);

    Win32Window& m_window;
    std::map<unsigned, UniqueIcon> m_icons;
};
