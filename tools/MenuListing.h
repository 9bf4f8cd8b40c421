#pragma once

#include "menu/MenuData.h"

#include <ostream>

// The tool's picture of a menu tree, one line per entry:
//   root "Sites"
//     site 1001 "News" "news.htm"
//     divider
//     popup "&Reference"
//       site 1002 "Episodes" "episodes.htm"
// Two spaces per level below the root; strings quoted by QuoteBytes. A stored
// menu may also hold a bare entry (`item "caption"`), which no menu text
// gives; a divider is `divider` whatever caption it stores.
void WriteMenuEntries(std::ostream& out, const CMenuPopUp& root);

// The word an entry's line begins with: site, popup, divider or item.
const char* EntryKindName(const CMenuItem& entry);

// What `show` prints for a parse result: the result line, then for 0 the
// number and the tree, for 1 the number alone.
void WriteShowListing(std::ostream& out, int result, const CMenuData& menu);

// What `unpack` prints for a stored menu: its number and its tree.
void WriteStoredListing(std::ostream& out, const CMenuData& menu);
