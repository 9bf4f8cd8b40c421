#include "tests/unit/MenuTextInput.h"

#include <algorithm>
#include <memory>

const std::string_view kExampleMenuText = "1\n"
                                          "2.1.2.5\n"
                                          "37\n"
                                          "BEGIN Sites\n"
                                          "News\tnews.htm\n"
                                          "-\n"
                                          "BEGIN &Reference\n"
                                          "Episodes\t\tepisodes.htm\n"
                                          "END\n"
                                          "END\n"
                                          "(anything)\n";

const std::string_view kExampleMenuTree = "root [Sites]\n"
                                          "  site [News] [news.htm] 0\n"
                                          "  divider\n"
                                          "  popup [&Reference]\n"
                                          "    site [Episodes] [episodes.htm] 0\n";

std::string WithHeader(std::string_view rest, std::string_view number) {
    std::string text = "1\n2.1.2.5\n";
    text.append(number);
    text += '\n';
    text.append(rest);
    return text;
}

int ParseExactly(CMenuData& menu, std::uint16_t held, std::string_view text) {
    const auto block = std::make_unique<char[]>(text.size());
    std::copy(text.begin(), text.end(), block.get());
    return menu.ParseText(held, block.get(), text.size());
}
