#pragma once

#include "menu/MenuItem.h"

// A separator line; its caption stays empty.
class CMenuDivider : public CMenuItem {
public:
    const MenuClass& GetRuntimeClass() const override;
    void AppendToMenu(MenuHandle menu, CommandCounter& counter) override;
    bool IsDivider() const override { return true; }
};
