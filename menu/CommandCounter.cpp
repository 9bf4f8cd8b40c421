#include "menu/CommandCounter.h"

#include "menu/MenuSite.h"
#include "menu/MenuWalk.h"
#include "res/resource.h"

int CommandCounter::Take() {
    const int id = m_nNext++;
    if (m_nNext == ID_PREFERENCES)
        m_nNext = ID_EXIT + 1;
    return id;
}

void NumberSites(CMenuPopUp& root) {
    CommandCounter counter;
    WalkMenu(root, [&counter](CMenuItem& entry) {
        if (entry.IsSite())
            static_cast<CMenuSite&>(entry).m_nCommandId = counter.Take();
        return WalkStep::Continue;
    });
}

void ClearSiteNumbers(CMenuPopUp& root) {
    WalkMenu(root, [](CMenuItem& entry) {
        if (entry.IsSite())
            static_cast<CMenuSite&>(entry).m_nCommandId = 0;
        return WalkStep::Continue;
    });
}
