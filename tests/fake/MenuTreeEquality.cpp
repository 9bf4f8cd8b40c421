#include "tests/fake/MenuTreeEquality.h"

#include "menu/MenuClass.h"
#include "menu/MenuData.h"
#include "menu/MenuPopUp.h"
#include "menu/MenuSite.h"

#include <vector>

std::string DrawTree(const CMenuData& menu) {
    std::string picture;
    std::vector<std::pair<const CMenuItem*, std::string>> pending{{&menu.m_rootPopUp, ""}};
    while (!pending.empty()) {
        const auto [item, indent] = pending.back();
        pending.pop_back();
        if (item == nullptr) {
            picture += indent + "null\n";
            continue;
        }
        // The class name less its common "CMenu".
        const std::string kind(item == &menu.m_rootPopUp ? "root"
                                                         : item->GetRuntimeClass().name.substr(5));
        picture += indent + kind + " [" + item->m_strCaption + "]";
        if (item->IsSite()) {
            const auto& site = static_cast<const CMenuSite&>(*item);
            picture += " [" + site.m_strUrl + "]" +
                       (site.m_nCommandId ? " " + std::to_string(site.m_nCommandId) : "");
        }
        picture += "\n";
        if (item->IsPopUp()) {
            const auto& children = static_cast<const CMenuPopUp&>(*item).m_arrChildren;
            for (std::size_t i = children.size(); i-- > 0;)
                pending.push_back({children[i].get(), indent + "  "});
        }
    }
    return picture;
}

std::string DescribeTreeDifference(const CMenuData& left, const CMenuData& right) {
    const std::string a = "number " + std::to_string(left.m_wMenuNumber) + "\n" + DrawTree(left);
    const std::string b = "number " + std::to_string(right.m_wMenuNumber) + "\n" + DrawTree(right);
    return a == b ? "" : a + "vs\n" + b;
}

bool SameTree(const CMenuData& left, const CMenuData& right) {
    return DescribeTreeDifference(left, right).empty();
}
