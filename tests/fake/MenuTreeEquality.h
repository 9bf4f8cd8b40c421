#pragma once

#include <string>

class CMenuData;

// Tree comparison for tests: number, root caption, and every entry's class,
// caption, address and command identifier in menu order. The built menu
// handle is not compared. Walks without recursion, so the deepest trees can
// be compared.

// Empty when the trees are the same; otherwise where and how they first
// differ, e.g. "root/2/0: caption \"A\" vs \"B\"".
std::string DescribeTreeDifference(const CMenuData& left, const CMenuData& right);

bool SameTree(const CMenuData& left, const CMenuData& right);
