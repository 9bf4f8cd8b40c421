#include "tests/fake/FakeMenus.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace {

std::string HandleText(MenuHandle menu) {
    return std::to_string(reinterpret_cast<std::uintptr_t>(menu));
}

} // namespace

FakeMenus::Menu* FakeMenus::Find(MenuHandle menu) {
    auto it = m_menus.find(menu);
    if (it == m_menus.end()) {
        ++m_deadHandleUses;
        return nullptr;
    }
    return &it->second;
}

MenuHandle FakeMenus::CreatePopupMenu() {
    ++m_creates;
    if (std::find(failingCreates.begin(), failingCreates.end(), m_creates) != failingCreates.end()) {
        m_log.Record("CreatePopupMenu -> 0");
        return nullptr;
    }
    // Handles are never reused, so a stale handle is always noticed.
    const auto handle = reinterpret_cast<MenuHandle>(static_cast<std::uintptr_t>(m_creates));
    m_menus[handle];
    m_log.Record("CreatePopupMenu -> " + HandleText(handle));
    return handle;
}

bool FakeMenus::AppendCommand(MenuHandle menu, int commandId, const std::string& text) {
    m_log.Record("AppendCommand " + HandleText(menu) + " " + std::to_string(commandId) + " " + text);
    Menu* target = Find(menu);
    if (target == nullptr)
        return false;
    target->items.push_back({Item::Command, commandId, nullptr, text});
    return true;
}

bool FakeMenus::AppendSeparator(MenuHandle menu) {
    m_log.Record("AppendSeparator " + HandleText(menu));
    Menu* target = Find(menu);
    if (target == nullptr)
        return false;
    target->items.push_back({Item::Separator, 0, nullptr, {}});
    return true;
}

bool FakeMenus::AppendSubMenu(MenuHandle menu, MenuHandle subMenu, const std::string& text) {
    m_log.Record("AppendSubMenu " + HandleText(menu) + " " + HandleText(subMenu) + " " + text);
    Menu* target = Find(menu);
    Menu* sub = Find(subMenu);
    ++m_attaches;
    if (target == nullptr || sub == nullptr ||
        std::find(failingAttaches.begin(), failingAttaches.end(), m_attaches) !=
            failingAttaches.end())
        return false;
    sub->attached = true;
    target->items.push_back({Item::SubMenu, 0, subMenu, text});
    return true;
}

MenuHandle FakeMenus::GetSubMenu(MenuHandle menu, int position) {
    Menu* target = Find(menu);
    if (target == nullptr || position < 0 || position >= static_cast<int>(target->items.size()))
        return nullptr;
    const Item& item = target->items[static_cast<std::size_t>(position)];
    return item.kind == Item::SubMenu ? item.subMenu : nullptr;
}

void FakeMenus::DestroyMenu(MenuHandle menu) {
    m_log.Record("DestroyMenu " + HandleText(menu));
    std::vector<MenuHandle> doomed{menu};
    while (!doomed.empty()) {
        const MenuHandle next = doomed.back();
        doomed.pop_back();
        Menu* target = Find(next);
        if (target == nullptr)
            continue;
        for (const Item& item : target->items)
            if (item.kind == Item::SubMenu)
                doomed.push_back(item.subMenu);
        m_menus.erase(next);
    }
}

int FakeMenus::GetItemId(MenuHandle menu, int position) {
    Menu* target = Find(menu);
    if (target == nullptr || position < 0 || position >= static_cast<int>(target->items.size()))
        return -1;
    const Item& item = target->items[static_cast<std::size_t>(position)];
    switch (item.kind) {
    case Item::Command:
        return item.id;
    case Item::Separator:
        return 0;
    case Item::SubMenu:
        break;
    }
    return -1;
}

void FakeMenus::SetDefaultItem(MenuHandle menu, int position) {
    m_log.Record("SetDefaultItem " + HandleText(menu) + " " + std::to_string(position));
    Find(menu);
}

bool FakeMenus::TrackAtCursor(MenuHandle menu) {
    m_log.Record("TrackAtCursor " + HandleText(menu));
    return Find(menu) != nullptr && trackSucceeds;
}

const std::vector<FakeMenus::Item>& FakeMenus::ItemsOf(MenuHandle menu) const {
    auto it = m_menus.find(menu);
    if (it == m_menus.end())
        throw std::logic_error("no such menu: " + HandleText(menu));
    return it->second.items;
}

std::string FakeMenus::Describe(MenuHandle menu) const {
    std::string picture;
    struct Pending {
        MenuHandle menu;
        std::size_t next;
    };
    std::vector<Pending> stack{{menu, 0}};
    while (!stack.empty()) {
        Pending& top = stack.back();
        const auto& items = ItemsOf(top.menu);
        if (top.next == items.size()) {
            stack.pop_back();
            continue;
        }
        const Item& item = items[top.next++];
        const std::string indent(2 * (stack.size() - 1), ' ');
        switch (item.kind) {
        case Item::Command:
            picture += indent + item.text + " " + std::to_string(item.id) + "\n";
            break;
        case Item::Separator:
            picture += indent + "---\n";
            break;
        case Item::SubMenu:
            picture += indent + item.text + " >\n";
            stack.push_back({item.subMenu, 0});
            break;
        }
    }
    return picture;
}

std::size_t FakeMenus::LiveMenuCount() const { return m_menus.size(); }
