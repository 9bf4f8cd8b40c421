#include "menu/MenuPopUp.h"

#include "menu/MenuWalk.h"
#include "platform/Services.h"

CMenuPopUp::~CMenuPopUp() { RemoveAll(); }

void CMenuPopUp::RemoveAll() {
    // Sub-menus hand their children over before they go, so every entry is
    // deleted with no children of its own and no destructor recurses.
    std::vector<std::unique_ptr<CMenuItem>> doomed;
    doomed.swap(m_arrChildren);
    while (!doomed.empty()) {
        std::unique_ptr<CMenuItem> entry = std::move(doomed.back());
        doomed.pop_back();
        if (entry != nullptr && entry->IsPopUp()) {
            auto& children = static_cast<CMenuPopUp&>(*entry).m_arrChildren;
            for (auto& child : children)
                doomed.push_back(std::move(child));
            children.clear();
        }
    }
}

void CMenuPopUp::AppendToMenu(MenuHandle menu, CommandCounter& counter) {
    MenuService& menus = Use<MenuService>();
    const MenuHandle own = menus.CreatePopupMenu();
    if (own == nullptr)
        return;
    // The menus being filled, innermost last. A sub-menu is attached to its
    // parent only once all its own items are in it.
    std::vector<MenuHandle> filling{own};
    WalkMenu(
        *this,
        [&](CMenuItem& entry) {
            if (!entry.IsPopUp()) {
                entry.AppendToMenu(filling.back(), counter);
                return WalkStep::Continue;
            }
            const MenuHandle sub = menus.CreatePopupMenu();
            if (sub == nullptr)
                return WalkStep::SkipChildren; // dropped with all its entries
            filling.push_back(sub);
            return WalkStep::Continue;
        },
        [&](CMenuPopUp& finished) {
            const MenuHandle sub = filling.back();
            filling.pop_back();
            menus.AppendSubMenu(filling.back(), sub, finished.m_strCaption);
        });
    menus.AppendSubMenu(menu, own, m_strCaption);
}

MenuHandle CMenuPopUp::CreateRootMenu(CommandCounter& counter) {
    if (m_arrChildren.empty())
        return nullptr;
    MenuService& menus = Use<MenuService>();
    const MenuHandle outer = menus.CreatePopupMenu();
    if (outer == nullptr)
        return nullptr;
    AppendToMenu(outer, counter);
    return outer;
}

bool CMenuPopUp::FindCommand(int nId, std::string& strUrl) const {
    bool found = false;
    WalkMenu(*this, [&](const CMenuItem& entry) {
        if (entry.IsPopUp())
            return WalkStep::Continue;
        found = entry.FindCommand(nId, strUrl);
        return found ? WalkStep::Stop : WalkStep::Continue;
    });
    return found;
}
