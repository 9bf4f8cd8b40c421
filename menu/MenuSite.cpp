#include "menu/MenuSite.h"

#include "menu/CommandCounter.h"
#include "platform/Services.h"

namespace {

// What follows the run of TABs that starts at tab; empty with no TAB.
std::string_view AddressAfter(std::string_view line, std::size_t tab) {
    const std::size_t address = line.find_first_not_of('\t', tab);
    return address == std::string_view::npos ? std::string_view() : line.substr(address);
}

} // namespace

CMenuSite::CMenuSite(std::string_view line) : CMenuSite(line, line.find('\t')) {}

CMenuSite::CMenuSite(std::string_view line, std::size_t tab)
    : CMenuItem(line.substr(0, tab)), m_strUrl(AddressAfter(line, tab)) {}

void CMenuSite::AppendToMenu(MenuHandle menu, CommandCounter& counter) {
    m_nCommandId = counter.Take();
    Use<MenuService>().AppendCommand(menu, m_nCommandId, m_strCaption);
}

bool CMenuSite::FindCommand(int nId, std::string& strUrl) const {
    // 0 is no site's: one that no build has shown, or a divider's item.
    if (m_nCommandId == 0 || nId != m_nCommandId)
        return false;
    strUrl = m_strUrl;
    return true;
}
