#include "tests/unit/MenuTextInput.h"

#include <algorithm>
#include <memory>

const std::string_view kExampleMenuText = "1\n2.1.2.5\n37\nBEGIN Sites\nNews\tnews.htm\n-\n"
                                          "BEGIN &Reference\nEpisodes\t\tepisodes.htm\nEND\nEND\n"
                                          "(anything)\n";

std::string WithHeader(std::string_view rest, std::string_view number) {
    return "1\n2.1.2.5\n" + std::string(number) + "\n" + std::string(rest);
}

int ParseExactly(CMenuData& menu, std::uint16_t held, std::string_view text) {
    const auto block = std::make_unique<char[]>(text.size());
    std::copy(text.begin(), text.end(), block.get());
    return menu.ParseText(held, block.get(), text.size());
}
