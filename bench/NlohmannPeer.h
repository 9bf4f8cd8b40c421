#pragma once

#include "menu/MenuData.h"

#include <string>
#include <string_view>

// The first JSON peer: reads a bookmark list with nlohmann/json's DOM, builds
// menu's tree from it and numbers the sites, the same work as parsing and
// numbering a menu text. Returns an empty string, or why no tree was built.
std::string BuildMenuWithNlohmann(std::string_view json, CMenuData& menu);
