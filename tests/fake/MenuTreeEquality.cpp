#include "tests/fake/MenuTreeEquality.h"

#include "menu/MenuClass.h"
#include "menu/MenuData.h"
#include "menu/MenuPopUp.h"
#include "menu/MenuSite.h"

#include <vector>

namespace {

// Every entry of the tree in menu order, one line each: its place, class,
// caption, and address and identifier for a site, child count for a sub-menu.
std::vector<std::string> Entries(const CMenuData& menu) {
    std::vector<std::string> lines{"number " + std::to_string(menu.m_wMenuNumber)};
    std::vector<std::pair<const CMenuItem*, std::string>> pending{{&menu.m_rootPopUp, "root"}};
    while (!pending.empty()) {
        const auto [item, place] = pending.back();
        pending.pop_back();
        if (item == nullptr) {
            lines.push_back(place + ": null");
            continue;
        }
        std::string line = place + ": " + std::string(item->GetRuntimeClass().name) + " \"" +
                           item->m_strCaption + "\"";
        if (item->IsSite()) {
            const auto& site = static_cast<const CMenuSite&>(*item);
            line += " \"" + site.m_strUrl + "\" " + std::to_string(site.m_nCommandId);
        }
        if (item->IsPopUp()) {
            const auto& children = static_cast<const CMenuPopUp&>(*item).m_arrChildren;
            line += " " + std::to_string(children.size()) + " children";
            for (std::size_t i = children.size(); i-- > 0;)
                pending.push_back({children[i].get(), place + "/" + std::to_string(i)});
        }
        lines.push_back(line);
    }
    return lines;
}

} // namespace

std::string DescribeTreeDifference(const CMenuData& left, const CMenuData& right) {
    const std::vector<std::string> a = Entries(left), b = Entries(right);
    for (std::size_t i = 0; i < a.size() || i < b.size(); ++i)
        if (i >= a.size() || i >= b.size() || a[i] != b[i])
            return (i < a.size() ? a[i] : "(end)") + " vs " + (i < b.size() ? b[i] : "(end)");
    return {};
}

bool SameTree(const CMenuData& left, const CMenuData& right) {
    return DescribeTreeDifference(left, right).empty();
}
