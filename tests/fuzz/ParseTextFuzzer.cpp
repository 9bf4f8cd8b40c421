#include "menu/MenuData.h"
#include "menu/MenuSite.h"
#include "menu/MenuWalk.h"
#include "tests/fake/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// The first and the last site of a tree, null when it has none.
struct SiteEnds {
    const CMenuSite* first = nullptr;
    const CMenuSite* last = nullptr;
};

SiteEnds FindSiteEnds(const CMenuPopUp& root) {
    SiteEnds ends;
    WalkMenu(root, [&](const CMenuItem& item) {
        if (item.IsSite()) {
            ends.last = static_cast<const CMenuSite*>(&item);
            if (ends.first == nullptr)
                ends.first = ends.last;
        }
        return WalkStep::Continue;
    });
    return ends;
}

bool LeadsToSite(const CMenuData& menu, const CMenuSite& site) {
    std::string url;
    return menu.FindCommand(site.m_nCommandId, url) && url == site.m_strUrl;
}

} // namespace

// Any bytes can arrive as a downloaded menu text. Beyond surviving them, the
// parser answers with one of its codes, fills the tree only for a new menu, and
// the menu built from that tree leads a chosen command back to its site.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakePlatform fake;
    {
        CMenuData menu;
        const int result = menu.ParseText(0, reinterpret_cast<const char*>(data), size);
        FuzzCheck(result == 0 || result == 1 || result == 2 || result == 4,
                  "ParseText answers 0, 1, 2 or 4");
        FuzzCheck(result == 0 || menu.m_rootPopUp.m_arrChildren.empty(),
                  "only a new menu has entries");

        if (result == 0 && menu.BuildMenu()) {
            const SiteEnds sites = FindSiteEnds(menu.m_rootPopUp);
            if (sites.first != nullptr) {
                FuzzCheck(LeadsToSite(menu, *sites.first), "the first site's command finds it");
                FuzzCheck(LeadsToSite(menu, *sites.last), "the last site's command finds it");
            }
            std::string url;
            FuzzCheck(!menu.FindCommand(1000, url), "no site has a command below 1001");
        }
    }
    FuzzCheck(fake.menus.LiveMenuCount() == 0, "every menu built is destroyed");
    FuzzCheck(fake.menus.DeadHandleUses() == 0, "no menu is used after it was destroyed");
    return 0;
}
