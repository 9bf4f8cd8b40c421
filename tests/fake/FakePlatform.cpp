#include "tests/fake/FakePlatform.h"

MenuHandle FakeMenus::CreatePopupMenu() {
    const auto handle = reinterpret_cast<MenuHandle>(static_cast<std::uintptr_t>(++m_creates));
    return m_creates == failingCreate ? nullptr : (m_menus[handle], handle);
}

bool FakeMenus::AppendSubMenu(MenuHandle menu, MenuHandle subMenu, const std::string& text) {
    return Find(subMenu) != nullptr && ++m_attaches != failingAttach &&
           Append(menu, {-1, subMenu, text});
}

void FakeMenus::DestroyMenu(MenuHandle menu) {
    for (std::vector<MenuHandle> doomed{menu}; !doomed.empty();) {
        const MenuHandle next = doomed.back();
        doomed.pop_back();
        if (std::vector<Item>* items = Find(next)) {
            for (const Item& item : *items)
                if (item.subMenu != nullptr)
                    doomed.push_back(item.subMenu);
            m_menus.erase(next);
        }
    }
}

std::string FakeMenus::Describe(MenuHandle menu, const std::string& indent) const {
    std::string picture;
    for (const Item& item : m_menus.at(menu))
        picture +=
            indent + (item.subMenu   ? item.text + " >\n" + Describe(item.subMenu, indent + "  ")
                      : item.id == 0 ? "---\n"
                                     : item.text + " " + std::to_string(item.id) + "\n");
    return picture;
}

std::optional<std::uint32_t> FakeRegistry::KeyValues::Dword(const std::string& name) const {
    auto it = find(name);
    if (it == end() || it->second.first != RegistryType::Dword || it->second.second.size() != 4)
        return std::nullopt;
    const std::vector<std::uint8_t>& bytes = it->second.second;
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint32_t{bytes[3]} << 24;
}
