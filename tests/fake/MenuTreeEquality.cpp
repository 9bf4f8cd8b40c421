#include "tests/fake/MenuTreeEquality.h"

#include "menu/MenuClass.h"
#include "menu/MenuData.h"
#include "menu/MenuSite.h"
#include "menu/MenuWalk.h"

std::string DrawTree(const CMenuData& menu) {
    std::string picture = "root [" + menu.m_rootPopUp.m_strCaption + "]\n", indent = "  ";
    WalkMenu(
        menu.m_rootPopUp,
        [&](const CMenuItem& item) {
            // The class name less its common "CMenu".
            const std::string_view kind = item.GetRuntimeClass().name.substr(5);
            picture += indent + std::string(kind) + " [" + item.m_strCaption + "]";
            if (item.IsSite()) {
                const auto& site = static_cast<const CMenuSite&>(item);
                picture += " [" + site.m_strUrl + "]" +
                           (site.m_nCommandId ? " " + std::to_string(site.m_nCommandId) : "");
            }
            picture += "\n";
            if (item.IsPopUp())
                indent += "  ";
            return WalkStep::Continue;
        },
        [&](const CMenuPopUp&) { indent.resize(indent.size() - 2); });
    return picture;
}

std::string DescribeTreeDifference(const CMenuData& left, const CMenuData& right) {
    const std::string a = "number " + std::to_string(left.m_wMenuNumber) + "\n" + DrawTree(left);
    const std::string b = "number " + std::to_string(right.m_wMenuNumber) + "\n" + DrawTree(right);
    return a == b ? "" : a + "vs\n" + b;
}
