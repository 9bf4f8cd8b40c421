#pragma once

#include "menu/MenuData.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

// The example menu text: format 1, this program's version, menu number 37, a
// site, a divider and a sub-menu with one site, and a line after the root's
// END that must be ignored.
inline const std::string_view kExampleMenuText =
    "1\n2.1.2.5\n37\nBEGIN Sites\nNews\tnews.htm\n-\nBEGIN &Reference\nEpisodes\t\tepisodes.htm\n"
    "END\nEND\n(anything)\n";

// A menu text numbered as given, whose root "Sites" holds the entry lines.
inline std::string MenuText(const std::string& number, std::string_view entries) {
    return "1\n2.1.2.5\n" + number + "\nBEGIN Sites\n" + std::string(entries) + "END\n";
}

// Hands text to ParseText from a heap block of exactly its size, so that the
// address sanitizer notices any read past its end.
inline int ParseExactly(CMenuData& menu, std::uint16_t held, std::string_view text) {
    const auto block = std::make_unique<char[]>(text.size());
    std::copy(text.begin(), text.end(), block.get());
    return menu.ParseText(held, block.get(), text.size());
}
