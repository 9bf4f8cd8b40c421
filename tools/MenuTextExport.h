#pragma once

#include "menu/MenuData.h"

#include <string>
#include <vector>

// A stored menu turned back into a menu text (format 1, this program's
// version, the menu's number) that gives the same tree when it is installed
// into a program that holds no menu. Site identifiers are not carried: every
// menu build numbers the sites afresh.
struct MenuTextExport {
    std::string text;
    // Why the text would not give back the same tree, one entry each; the
    // text must not be used unless this is empty.
    std::vector<std::string> problems;
};

MenuTextExport ExportMenuText(const CMenuData& menu);
