#pragma once

#include "platform/MenuService.h"
#include "platform/win32/Win32Window.h"

// Pop-up menus over the system's menus; the handles are the system's own.
class Win32Menus : public MenuService {
public:
    explicit Win32Menus(const Win32Window& window) : m_window(window) {}

    MenuHandle CreatePopupMenu() override;
    bool AppendCommand(MenuHandle menu, int commandId, const std::string& text) override;
    bool AppendSeparator(MenuHandle menu) override;
    bool AppendSubMenu(MenuHandle menu, MenuHandle subMenu, const std::string& text) override;
    MenuHandle GetSubMenu(MenuHandle menu, int position) override;
    void DestroyMenu(MenuHandle menu) override;
    int GetItemId(MenuHandle menu, int position) override;
    void SetDefaultItem(MenuHandle menu, int position) override;
    bool TrackAtCursor(MenuHandle menu) override;

private:
    const Win32Window& m_window;
};
