#pragma once

#include "menu/MenuPopUp.h"

#include <optional>
#include <string>
#include <string_view>

// The menu tree as the usual JSON bookmark list, the form the JSON parsers
// are timed on: a sub-menu is {"name":..., "children":[...]}, a site is
// {"name":..., "url":...}, a divider is {}. The outermost object is root.
// Bytes from 0x80 up are written as they are, so only menus in plain ASCII
// give valid JSON; the benchmark's menus are.
std::string WriteJsonBookmarks(const CMenuPopUp& root);

// One bookmark object as a JSON reader found it.
struct Bookmark {
    std::string_view name;
    std::optional<std::string_view> url;
    bool isFolder;
};

// Appends the entry a bookmark stands for to parent, as the menu text would
// have given it. Returns the new sub-menu for a folder, so that its children
// can follow, and null otherwise.
CMenuPopUp* AppendBookmark(CMenuPopUp& parent, const Bookmark& bookmark);
