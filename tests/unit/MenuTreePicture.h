#pragma once

#include "menu/MenuPopUp.h"

#include <string>

// A picture of a menu tree for comparing in tests, one entry per line, two
// spaces per level below the root:
//   root [Sites]
//     site [News] [news.htm] 0
//     divider
//     popup [&Reference]
//       site [Episodes] [episodes.htm] 0
// Captions and addresses stand in brackets so that spaces at their ends
// show. It recurses, so it is only for trees of modest depth.
std::string DrawMenuTree(const CMenuPopUp& root);
