#pragma once

class CMenuPopUp;

// Hands out the command identifiers of sites: 1001 upward in menu order. The
// identifiers of the fixed commands (2001 to 2004) are passed over, so that
// every site of a long menu stays reachable and none runs a fixed command.
class CommandCounter {
public:
    static constexpr int kFirstSiteId = 1001;

    // The next free identifier; it counts as used from now on.
    int Take();

private:
    int m_nNext = kFirstSiteId;
};

// Numbers every site below root in menu order, depth first, as a menu build
// would, without making a menu.
void NumberSites(CMenuPopUp& root);

// Takes the identifier from every site below root, so that none is found
// until a build shows it again.
void ClearSiteNumbers(CMenuPopUp& root);
