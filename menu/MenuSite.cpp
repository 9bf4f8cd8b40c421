#include "menu/MenuSite.h"

#include "menu/CommandCounter.h"
#include "platform/Services.h"

CMenuSite::CMenuSite(std::string_view line) {
    const std::size_t tab = line.find('\t');
    m_strCaption.assign(line.substr(0, tab));
    if (tab == std::string_view::npos)
        return;
    const std::size_t address = line.find_first_not_of('\t', tab);
    if (address != std::string_view::npos)
        m_strUrl.assign(line.substr(address));
}

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
