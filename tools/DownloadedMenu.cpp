#include "tools/DownloadedMenu.h"

#include "menu/CommandCounter.h"

#include <algorithm>

int ReadDownloadedMenu(std::uint16_t held, const char* body, std::size_t length, CMenuData& menu) {
    const std::size_t read = std::min(length, kMaxBodyBytes);
    if (read <= kMaxIgnoredBytes) {
        menu.Clear();
        return 4;
    }
    const int result = menu.ParseText(held, body, read);
    if (result == 0)
        NumberSites(menu.m_rootPopUp);
    return result;
}
