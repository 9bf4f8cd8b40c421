#pragma once

#include <string>

class CMenuData;

// A picture of the tree, one entry per line, two spaces per level below the
// root: each entry's class, its caption and a site's address in brackets (so
// that blanks at their ends show), and a site's command identifier once it has
// one. The built menu handle is not drawn. Goes by the menu's own walk, which
// needs no recursion (so the deepest trees can be drawn) and passes over null
// entries, which no reader or parser makes.
std::string DrawTree(const CMenuData& menu);

// Empty when the trees have the same number and picture; otherwise both
// pictures, the left one first.
std::string DescribeTreeDifference(const CMenuData& left, const CMenuData& right);
