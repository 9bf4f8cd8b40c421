#include "menu/MenuDivider.h"

#include "platform/Services.h"

void CMenuDivider::AppendToMenu(MenuHandle menu, CommandCounter&) {
    Use<MenuService>().AppendSeparator(menu);
}
