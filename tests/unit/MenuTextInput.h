#pragma once

#include "menu/MenuData.h"

#include <cstdint>
#include <string>
#include <string_view>

// The example menu text: format 1, this program's version, menu number 37, a
// site, a divider and a sub-menu with one site, and a line after the root's
// END that must be ignored.
extern const std::string_view kExampleMenuText;

// A menu text: the three header lines (format 1, this program's version and
// the given menu number) followed by rest as it stands.
std::string WithHeader(std::string_view rest, std::string_view number = "37");

// Hands text to ParseText from a heap block of exactly its size, so that the
// address sanitizer notices any read past its end.
int ParseExactly(CMenuData& menu, std::uint16_t held, std::string_view text);
