#pragma once

#include "menu/MenuItem.h"

#include <cstddef>
#include <string_view>

// A web site: caption, address and the command identifier the last menu
// build gave it.
class CMenuSite : public CMenuItem {
public:
    CMenuSite() = default;
    // Splits one site line: caption up to the first TAB, then the address
    // after the run of TABs.
    explicit CMenuSite(std::string_view line);

    const MenuClass& GetRuntimeClass() const override;
    void Serialize(ArchiveWriter& ar) const override;
    void Serialize(ArchiveReader& ar) override;
    void AppendToMenu(MenuHandle menu, CommandCounter& counter) override;
    bool FindCommand(int nId, std::string& strUrl) const override;
    bool IsSite() const override { return true; }

    std::string m_strUrl;
    int m_nCommandId = 0;

private:
    CMenuSite(std::string_view line, std::size_t tab);
};
