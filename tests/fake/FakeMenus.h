#pragma once

#include "platform/MenuService.h"
#include "tests/fake/CallLog.h"

#include <map>
#include <string>
#include <vector>

// Pop-up menus kept in memory, so tests can look at what was built and check
// that every menu is destroyed exactly once.
class FakeMenus : public MenuService {
public:
    struct Item {
        enum Kind { Command, Separator, SubMenu } kind;
        int id;             // Command only
        MenuHandle subMenu; // SubMenu only
        std::string text;
    };

    explicit FakeMenus(CallLog& log) : m_log(log) {}

    MenuHandle CreatePopupMenu() override;
    bool AppendCommand(MenuHandle menu, int commandId, const std::string& text) override;
    bool AppendSeparator(MenuHandle menu) override;
    bool AppendSubMenu(MenuHandle menu, MenuHandle subMenu, const std::string& text) override;
    MenuHandle GetSubMenu(MenuHandle menu, int position) override;
    void DestroyMenu(MenuHandle menu) override;
    int GetItemId(MenuHandle menu, int position) override;
    void SetDefaultItem(MenuHandle menu, int position) override;
    bool TrackAtCursor(MenuHandle menu) override;

    // The items of a live menu.
    const std::vector<Item>& ItemsOf(MenuHandle menu) const;
    // A picture of the menu, one item per line, two spaces per level:
    // "News 1001", "---", "&Reference >".
    std::string Describe(MenuHandle menu) const;
    std::size_t LiveMenuCount() const;
    // Calls on a menu that is not alive (never made, or destroyed already).
    int DeadHandleUses() const { return m_deadHandleUses; }

    // The next CreatePopupMenu calls whose ordinal (1-based, counted over the
    // whole run) is listed here fail and return null.
    std::vector<int> failingCreates;
    // Likewise for AppendSubMenu calls, which fail and attach nothing.
    std::vector<int> failingAttaches;
    // What TrackAtCursor answers.
    bool trackSucceeds = true;

private:
    struct Menu {
        std::vector<Item> items;
        bool attached = false; // appended to another menu as a sub-menu
    };
    Menu* Find(MenuHandle menu);

    CallLog& m_log;
    std::map<MenuHandle, Menu> m_menus;
    int m_creates = 0;
    int m_attaches = 0;
    int m_deadHandleUses = 0;
};
