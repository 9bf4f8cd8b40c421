#include "menu/MenuItem.h"

void CMenuItem::AppendToMenu(MenuHandle, CommandCounter&) {}

bool CMenuItem::FindCommand(int, std::string&) const { return false; }
