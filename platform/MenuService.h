#pragma once

#include <string>

// Opaque handle of a window-system pop-up menu; null when there is none.
struct MenuHandleTag;
using MenuHandle = MenuHandleTag*;

// Pop-up menus as the tray menu needs them. Destroying a menu destroys every
// sub-menu that was appended to it.
class MenuService {
public:
    virtual ~MenuService() = default;

    virtual MenuHandle CreatePopupMenu() = 0;
    virtual bool AppendCommand(MenuHandle menu, int commandId, const std::string& text) = 0;
    virtual bool AppendSeparator(MenuHandle menu) = 0;
    virtual bool AppendSubMenu(MenuHandle menu, MenuHandle subMenu, const std::string& text) = 0;
    virtual MenuHandle GetSubMenu(MenuHandle menu, int position) = 0;
    virtual void DestroyMenu(MenuHandle menu) = 0;
};
