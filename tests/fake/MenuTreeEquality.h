#pragma once

#include <string>

class CMenuData;

// Tree comparison for tests: number, and every entry's class, caption,
// address and command identifier in menu order; the built menu handle is not
// compared. Walks without recursion, so the deepest trees can be compared.

// Empty when the trees are the same; otherwise the first entries that differ,
// e.g. "root/2/0: CMenuSite \"A\" ... vs root/2/0: CMenuSite \"B\" ...".
std::string DescribeTreeDifference(const CMenuData& left, const CMenuData& right);

bool SameTree(const CMenuData& left, const CMenuData& right);
