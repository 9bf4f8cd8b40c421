#include "tests/unit/MenuTreePicture.h"

#include "menu/MenuSite.h"

namespace {

void DrawChildren(const CMenuPopUp& popUp, const std::string& indent, std::string& picture) {
    for (const auto& child : popUp.m_arrChildren) {
        if (child->IsSite()) {
            const auto& site = static_cast<const CMenuSite&>(*child);
            picture += indent + "site [" + site.m_strCaption + "] [" + site.m_strUrl + "] " +
                       std::to_string(site.m_nCommandId) + "\n";
        } else if (child->IsPopUp()) {
            picture += indent + "popup [" + child->m_strCaption + "]\n";
            DrawChildren(static_cast<const CMenuPopUp&>(*child), indent + "  ", picture);
        } else {
            picture += indent + (child->IsDivider() ? "divider\n" : "item\n");
        }
    }
}

} // namespace

std::string DrawMenuTree(const CMenuPopUp& root) {
    std::string picture = "root [" + root.m_strCaption + "]\n";
    DrawChildren(root, "  ", picture);
    return picture;
}
