#pragma once

#include "menu/EntryBlocks.h"
#include "platform/MenuService.h"

#include <string>
#include <string_view>

class ArchiveReader;
class ArchiveWriter;
class CommandCounter;
struct MenuClass;

// Any entry of the menu tree. A bare CMenuItem shows nothing; the derived
// classes are the divider, the site and the sub-menu.
class CMenuItem {
public:
    CMenuItem() = default;
    CMenuItem(const CMenuItem&) = delete;
    CMenuItem& operator=(const CMenuItem&) = delete;
    virtual ~CMenuItem() = default;

    static void* operator new(std::size_t size) { return TakeEntryBlock(size); }
    static void operator delete(void* block, std::size_t size) noexcept {
        GiveEntryBlock(block, size);
    }

    virtual const MenuClass& GetRuntimeClass() const;

    // Writes or reads the entry's body in the stored form of the menu.
    virtual void Serialize(ArchiveWriter& ar) const;
    virtual void Serialize(ArchiveReader& ar);

    // Appends this entry's own item at the end of menu. A sub-menu's children
    // are appended by the menu build, which walks the tree without recursion.
    virtual void AppendToMenu(MenuHandle menu, CommandCounter& counter);

    // True when this entry is the site with command identifier nId; then
    // strUrl holds its address. Sub-menus search their whole subtree.
    virtual bool FindCommand(int nId, std::string& strUrl) const;

    virtual bool IsDivider() const { return false; }
    virtual bool IsSite() const { return false; }
    virtual bool IsPopUp() const { return false; }

    std::string m_strCaption;

protected:
    explicit CMenuItem(std::string_view caption) : m_strCaption(caption) {}
};
