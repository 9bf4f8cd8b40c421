#pragma once

#include "menu/MenuPopUp.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The whole menu: its edition number, the root sub-menu and the window-system
// menu built from it, which this object owns.
class CMenuData {
public:
    CMenuData() = default;
    CMenuData(const CMenuData&) = delete;
    CMenuData& operator=(const CMenuData&) = delete;
    virtual ~CMenuData();

    virtual const MenuClass& GetRuntimeClass() const;
    virtual void Serialize(ArchiveWriter& ar) const;
    virtual void Serialize(ArchiveReader& ar);

    // Destroys the built menu, forgets the number and the entries; the root's
    // caption stays.
    void Clear();

    // Fills this menu from a downloaded text of exactly nLength bytes.
    // Returns 0 (new menu), 1 (same number as wCurrentNumber), 2 (format
    // other than 1) or 4 (fewer than six lines).
    int ParseText(std::uint16_t wCurrentNumber, const char* pText, std::size_t nLength);

    // (Re)builds the pop-up menu and numbers the sites; false when the tree
    // gives no menu.
    bool BuildMenu();
    // The built menu, built on first demand; null when there is none.
    MenuHandle GetMenuHandle();

    bool FindCommand(int nId, std::string& strUrl) const;

    std::uint16_t m_wMenuNumber = 0;
    CMenuPopUp m_rootPopUp;
    MenuHandle m_hMenu = nullptr;
};
