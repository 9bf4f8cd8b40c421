#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

class CMenuItem;

// The run-time record of one of the five menu classes: the name and schema the
// stored form of the menu names it by, its base, and how to make an empty entry
// of it (null for CMenuData, which is never an entry of a tree).
struct MenuClass {
    std::string_view name;
    const MenuClass* base;
    std::uint16_t schema;
    std::unique_ptr<CMenuItem> (*createEntry)();

    bool IsDerivedFrom(const MenuClass& other) const;
};

extern const MenuClass kMenuItemClass;
extern const MenuClass kMenuDividerClass;
extern const MenuClass kMenuSiteClass;
extern const MenuClass kMenuPopUpClass;
extern const MenuClass kMenuDataClass;

// The class of that exact name (case included), or null.
const MenuClass* FindMenuClass(std::string_view name);
