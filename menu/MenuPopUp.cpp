#include "menu/MenuPopUp.h"

#include "menu/CommandCounter.h"
#include "menu/MenuWalk.h"
#include "platform/Services.h"

#include <utility>

CMenuPopUp::~CMenuPopUp() {
    RemoveAll();
}

void CMenuPopUp::RemoveAll() {
    // Sub-menus hand their children over before they go, so every entry is
    // deleted with no children of its own and no destructor recurses. Only
    // sub-menus wait on the stack; the other entries go at once.
    std::vector<std::unique_ptr<CMenuItem>> waiting;
    const auto release = [&waiting](std::vector<std::unique_ptr<CMenuItem>> children) {
        for (auto& child : children)
            if (child != nullptr && child->IsPopUp())
                waiting.push_back(std::move(child));
    };
    release(std::exchange(m_arrChildren, {}));
    while (!waiting.empty()) {
        const std::unique_ptr<CMenuItem> popUp = std::move(waiting.back());
        waiting.pop_back();
        release(std::exchange(static_cast<CMenuPopUp&>(*popUp).m_arrChildren, {}));
    }
}

void CMenuPopUp::AppendToMenu(MenuHandle menu, CommandCounter& counter) {
    MenuService& menus = Use<MenuService>();
    // A sub-menu that stays unattached would outlive the menu, and its sites
    // could never be chosen.
    const auto attach = [&menus](MenuHandle parent, MenuHandle sub, CMenuPopUp& popUp) {
        if (menus.AppendSubMenu(parent, sub, popUp.m_strCaption))
            return;
        menus.DestroyMenu(sub);
        ClearSiteNumbers(popUp);
    };
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
            attach(filling.back(), sub, finished);
        });
    attach(menu, own, *this);
}

MenuHandle CMenuPopUp::CreateRootMenu(CommandCounter& counter) {
    // What an earlier build or the stored menu numbered is forgotten: only
    // the sites this build shows may be found by their identifiers.
    ClearSiteNumbers(*this);
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
