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

    // The identifier of the item at position: 0 for a separator, -1 for a
    // sub-menu or no item.
    virtual int GetItemId(MenuHandle menu, int position) = 0;
    // Shows the item at position in bold as the menu's default.
    virtual void SetDefaultItem(MenuHandle menu, int position) = 0;
    // Tracks the menu with its bottom-right corner at the mouse cursor, owned
    // by the hidden window; either mouse button chooses. The chosen command
    // arrives afterwards as WindowEvents::OnCommand. False when it failed.
    virtual bool TrackAtCursor(MenuHandle menu) = 0;
};
