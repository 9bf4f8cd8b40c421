#include "tests/fake/MenuTreeEquality.h"

#include "menu/MenuClass.h"
#include "menu/MenuData.h"
#include "menu/MenuSite.h"

#include <vector>

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

struct Frame {
    const CMenuPopUp* left;
    const CMenuPopUp* right;
    std::size_t next;
};

// The place of the entry last taken from the innermost frame.
std::string PathOf(const std::vector<Frame>& stack) {
    std::string path = "root";
    for (const Frame& frame : stack)
        path += "/" + std::to_string(frame.next - 1);
    return path;
}

// How two entries at the same place differ, not looking at children; empty
// when they do not.
std::string EntryDifference(const CMenuItem* left, const CMenuItem* right) {
    if (left == nullptr || right == nullptr) {
        if (left == right)
            return {};
        return left == nullptr ? "null vs entry" : "entry vs null";
    }
    const MenuClass& leftClass = left->GetRuntimeClass();
    const MenuClass& rightClass = right->GetRuntimeClass();
    if (&leftClass != &rightClass)
        return "class " + std::string(leftClass.name) + " vs " + std::string(rightClass.name);
    if (left->m_strCaption != right->m_strCaption)
        return "caption " + Quoted(left->m_strCaption) + " vs " + Quoted(right->m_strCaption);
    if (left->IsSite()) {
        const auto& leftSite = static_cast<const CMenuSite&>(*left);
        const auto& rightSite = static_cast<const CMenuSite&>(*right);
        if (leftSite.m_strUrl != rightSite.m_strUrl)
            return "address " + Quoted(leftSite.m_strUrl) + " vs " + Quoted(rightSite.m_strUrl);
        if (leftSite.m_nCommandId != rightSite.m_nCommandId)
            return "identifier " + std::to_string(leftSite.m_nCommandId) + " vs " +
                   std::to_string(rightSite.m_nCommandId);
    }
    if (left->IsPopUp()) {
        const std::size_t leftCount = static_cast<const CMenuPopUp&>(*left).m_arrChildren.size();
        const std::size_t rightCount = static_cast<const CMenuPopUp&>(*right).m_arrChildren.size();
        if (leftCount != rightCount)
            return std::to_string(leftCount) + " children vs " + std::to_string(rightCount);
    }
    return {};
}

} // namespace

std::string DescribeTreeDifference(const CMenuData& left, const CMenuData& right) {
    if (left.m_wMenuNumber != right.m_wMenuNumber)
        return "number " + std::to_string(left.m_wMenuNumber) + " vs " +
               std::to_string(right.m_wMenuNumber);
    const std::string rootDifference = EntryDifference(&left.m_rootPopUp, &right.m_rootPopUp);
    if (!rootDifference.empty())
        return "root: " + rootDifference;
    std::vector<Frame> stack{{&left.m_rootPopUp, &right.m_rootPopUp, 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.left->m_arrChildren.size()) {
            stack.pop_back();
            continue;
        }
        const std::size_t index = top.next++;
        const CMenuItem* leftChild = top.left->m_arrChildren[index].get();
        const CMenuItem* rightChild = top.right->m_arrChildren[index].get();
        const std::string difference = EntryDifference(leftChild, rightChild);
        if (!difference.empty())
            return PathOf(stack) + ": " + difference;
        if (leftChild != nullptr && leftChild->IsPopUp())
            stack.push_back({static_cast<const CMenuPopUp*>(leftChild),
                             static_cast<const CMenuPopUp*>(rightChild), 0});
    }
    return {};
}

bool SameTree(const CMenuData& left, const CMenuData& right) {
    return DescribeTreeDifference(left, right).empty();
}
