#include "menu/MenuData.h"

#include "menu/CommandCounter.h"
#include "platform/Services.h"
#include "res/resource.h"

namespace {

struct FixedCommand {
    int id;
    const char* text;
};

constexpr FixedCommand kFixedCommands[] = {
    {ID_PREFERENCES, "Pre&ferences..."},
    {ID_UPDATE_NOW, "&Update Now"},
    {ID_ABOUT, "&About"},
    {ID_EXIT, "E&xit"},
};

} // namespace

CMenuData::~CMenuData() { Clear(); }

void CMenuData::Clear() {
    if (m_hMenu != nullptr) {
        Use<MenuService>().DestroyMenu(m_hMenu);
        m_hMenu = nullptr;
    }
    m_wMenuNumber = 0;
    m_rootPopUp.RemoveAll();
}

bool CMenuData::BuildMenu() {
    MenuService& menus = Use<MenuService>();
    if (m_hMenu != nullptr) {
        menus.DestroyMenu(m_hMenu);
        m_hMenu = nullptr;
    }
    CommandCounter counter;
    const MenuHandle outer = m_rootPopUp.CreateRootMenu(counter);
    if (outer == nullptr)
        return false;
    const MenuHandle visible = menus.GetSubMenu(outer, 0);
    if (visible == nullptr) {
        // The root's own sub-menu could not be made: nothing to show.
        menus.DestroyMenu(outer);
        return false;
    }
    menus.AppendSeparator(visible);
    for (const FixedCommand& command : kFixedCommands)
        menus.AppendCommand(visible, command.id, command.text);
    m_hMenu = outer;
    return true;
}

MenuHandle CMenuData::GetMenuHandle() {
    if (m_hMenu == nullptr)
        BuildMenu();
    return m_hMenu;
}

bool CMenuData::FindCommand(int nId, std::string& strUrl) const {
    return m_rootPopUp.FindCommand(nId, strUrl);
}
