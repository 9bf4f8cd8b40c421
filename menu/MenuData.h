#pragma once

#include "menu/MenuPopUp.h"
#include "platform/HttpValidators.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class CProgressDlg;
class HttpRequest;
struct ServerFileRules;

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

    // Downloads the menu file into this (new, empty) menu while the progress
    // window shows, records the query time when the server answered and tells
    // the user the outcome. True only when a menu with a number other than
    // wCurrentNumber was loaded. While a usable menu is held (bMenuHeld), the
    // server is asked to send the file only when it changed since the
    // download that gave it.
    bool UpdateFromServer(std::uint16_t wCurrentNumber, bool bMenuHeld);
    // The reading step of an update, on an opened request, which it closes.
    // Sets nResult (0, 1, 2, 4 or 5, not signed by the publisher); false when
    // the internet layer failed, with its error text in strError.
    bool ReadServerFile(std::uint16_t wCurrentNumber, std::unique_ptr<HttpRequest> pRequest,
                        const ServerFileRules& rules, CProgressDlg& progress, int& nResult,
                        std::string& strError);

    std::uint16_t m_wMenuNumber = 0;
    CMenuPopUp m_rootPopUp;
    MenuHandle m_hMenu = nullptr;
    // Where a downloaded menu came from and the edition the server named,
    // kept with the menu once it is stored.
    std::string m_strSource;
    HttpValidators m_validators;
};
