#include "menu/MenuClass.h"

#include "menu/MenuData.h"
#include "menu/MenuDivider.h"
#include "menu/MenuSite.h"

namespace {

template <class Entry> std::unique_ptr<CMenuItem> CreateEntry() {
    return std::make_unique<Entry>();
}

} // namespace

// Constant-initialised, so the records exist before any code that could read a
// stored menu runs, whatever the order of static construction.
const MenuClass kMenuItemClass{"CMenuItem", nullptr, 1, &CreateEntry<CMenuItem>};
const MenuClass kMenuDividerClass{"CMenuDivider", &kMenuItemClass, 1, &CreateEntry<CMenuDivider>};
const MenuClass kMenuSiteClass{"CMenuSite", &kMenuItemClass, 1, &CreateEntry<CMenuSite>};
const MenuClass kMenuPopUpClass{"CMenuPopUp", &kMenuItemClass, 1, &CreateEntry<CMenuPopUp>};
const MenuClass kMenuDataClass{"CMenuData", nullptr, 1, nullptr};

bool MenuClass::IsDerivedFrom(const MenuClass& other) const {
    for (const MenuClass* cls = this; cls != nullptr; cls = cls->base) {
        if (cls == &other)
            return true;
    }
    return false;
}

const MenuClass* FindMenuClass(std::string_view name) {
    static const MenuClass* const kAll[] = {&kMenuDataClass, &kMenuPopUpClass, &kMenuSiteClass,
                                            &kMenuDividerClass, &kMenuItemClass};
    for (const MenuClass* cls : kAll) {
        if (cls->name == name)
            return cls;
    }
    return nullptr;
}

const MenuClass& CMenuItem::GetRuntimeClass() const {
    return kMenuItemClass;
}
const MenuClass& CMenuDivider::GetRuntimeClass() const {
    return kMenuDividerClass;
}
const MenuClass& CMenuSite::GetRuntimeClass() const {
    return kMenuSiteClass;
}
const MenuClass& CMenuPopUp::GetRuntimeClass() const {
    return kMenuPopUpClass;
}
const MenuClass& CMenuData::GetRuntimeClass() const {
    return kMenuDataClass;
}
