#include "tools/DownloadedMenu.h"

#include "menu/CommandCounter.h"
#include "menu/DownloadedText.h"

#include <algorithm>

int ReadDownloadedMenu(std::uint16_t held, const char* body, std::size_t length, CMenuData& menu) {
    const std::size_t read = std::min(length, kMaxBodyBytes);
    const int result = ParseDownloadedText(menu, held, std::string_view(body, read));
    if (result == 0)
        NumberSites(menu.m_rootPopUp);
    return result;
}
