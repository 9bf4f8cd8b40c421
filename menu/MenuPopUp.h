#pragma once

#include "menu/MenuItem.h"

#include <memory>
#include <vector>

class MenuLineReader;

// A sub-menu: its caption is the title, its children are owned and kept in
// menu order. Every operation that walks the subtree does so with an explicit
// stack, so no nesting depth can exhaust the call stack.
class CMenuPopUp : public CMenuItem {
public:
    CMenuPopUp() = default;
    explicit CMenuPopUp(std::string_view caption) : CMenuItem(caption) {}
    ~CMenuPopUp() override;

    const MenuClass& GetRuntimeClass() const override;
    void Serialize(ArchiveWriter& ar) const override;
    void Serialize(ArchiveReader& ar) override;
    void AppendToMenu(MenuHandle menu, CommandCounter& counter) override;
    bool FindCommand(int nId, std::string& strUrl) const override;
    bool IsPopUp() const override { return true; }

    // Empties this sub-menu, then reads its caption and entries from the block
    // whose opening line is the next of lines; on return lines are past the
    // line that closed it. Lines that run out close every open block; with no
    // line left the sub-menu stays empty and untitled.
    void Parse(MenuLineReader& lines);

    // Deletes the whole subtree; each sub-menu is emptied before it goes, so
    // no destructor recurses.
    void RemoveAll();

    // The outer menu for a root: one sub-menu item holding the children.
    // Null when the root has no children or no menu can be made.
    MenuHandle CreateRootMenu(CommandCounter& counter);

    std::vector<std::unique_ptr<CMenuItem>> m_arrChildren;
};
