#include "platform/win32/Win32Menus.h"

namespace {

HMENU SystemMenu(MenuHandle menu) {
    return reinterpret_cast<HMENU>(menu);
}

MenuHandle ProgramMenu(HMENU menu) {
    return reinterpret_cast<MenuHandle>(menu);
}

} // namespace

MenuHandle Win32Menus::CreatePopupMenu() {
    return ProgramMenu(::CreatePopupMenu());
}

bool Win32Menus::AppendCommand(MenuHandle menu, int commandId, const std::string& text) {
    return ::AppendMenuA(SystemMenu(menu), MF_STRING, static_cast<UINT_PTR>(commandId),
                         text.c_str()) != FALSE;
}

bool Win32Menus::AppendSeparator(MenuHandle menu) {
    return ::AppendMenuA(SystemMenu(menu), MF_SEPARATOR, 0, nullptr) != FALSE;
}

bool Win32Menus::AppendSubMenu(MenuHandle menu, MenuHandle subMenu, const std::string& text) {
    return ::AppendMenuA(SystemMenu(menu), MF_STRING | MF_POPUP,
                         reinterpret_cast<UINT_PTR>(SystemMenu(subMenu)), text.c_str()) != FALSE;
}

MenuHandle Win32Menus::GetSubMenu(MenuHandle menu, int position) {
    return ProgramMenu(::GetSubMenu(SystemMenu(menu), position));
}

void Win32Menus::DestroyMenu(MenuHandle menu) {
    ::DestroyMenu(SystemMenu(menu));
}

int Win32Menus::GetItemId(MenuHandle menu, int position) {
    // The system answers 0xFFFFFFFF for a sub-menu or a missing item.
    return static_cast<int>(::GetMenuItemID(SystemMenu(menu), position));
}

void Win32Menus::SetDefaultItem(MenuHandle menu, int position) {
    ::SetMenuDefaultItem(SystemMenu(menu), static_cast<UINT>(position), TRUE);
}

bool Win32Menus::TrackAtCursor(MenuHandle menu) {
    POINT cursor{};
    if (!::GetCursorPos(&cursor))
        return false;
    // Without TPM_RETURNCMD the choice is posted to the owner as WM_COMMAND,
    // so it arrives after the menu has closed.
    return ::TrackPopupMenu(SystemMenu(menu), TPM_BOTTOMALIGN | TPM_RIGHTALIGN | TPM_RIGHTBUTTON,
                            cursor.x, cursor.y, 0, m_window.Handle(), nullptr) != FALSE;
}
