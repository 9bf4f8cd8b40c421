#pragma once

#include "menu/MenuData.h"
#include "tools/MenuTextLimits.h"

#include <cstddef>
#include <cstdint>

// How the program takes a downloaded menu file: it reads at most the first
// kMaxBodyBytes, hands the text to the parser only when more than
// kMaxIgnoredBytes arrived, and numbers the sites of a new menu as its menu
// build does.

// Fills menu from body as the program would while it holds menu number held.
// Returns the update's result code: 0 (new menu, sites numbered), 1 (same
// number), 2 (other format) or 4 (too little data).
int ReadDownloadedMenu(std::uint16_t held, const char* body, std::size_t length, CMenuData& menu);
