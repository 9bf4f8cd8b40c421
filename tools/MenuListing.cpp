#include "tools/MenuListing.h"

#include "menu/MenuSite.h"
#include "menu/MenuWalk.h"
#include "tools/QuotedString.h"

#include <string>

namespace {

void WriteEntry(std::ostream& out, const CMenuItem& entry) {
    out << EntryKindName(entry);
    if (entry.IsSite()) {
        const auto& site = static_cast<const CMenuSite&>(entry);
        out << ' ' << site.m_nCommandId << ' ' << QuoteBytes(site.m_strCaption) << ' '
            << QuoteBytes(site.m_strUrl);
    } else if (!entry.IsDivider()) {
        // A divider shows no caption in a menu, whatever it stores.
        out << ' ' << QuoteBytes(entry.m_strCaption);
    }
    out << '\n';
}

} // namespace

const char* EntryKindName(const CMenuItem& entry) {
    if (entry.IsSite())
        return "site";
    if (entry.IsPopUp())
        return "popup";
    return entry.IsDivider() ? "divider" : "item";
}

void WriteMenuEntries(std::ostream& out, const CMenuPopUp& root) {
    out << "root " << QuoteBytes(root.m_strCaption) << '\n';
    std::string indent = "  ";
    WalkMenu(
        root,
        [&](const CMenuItem& entry) {
            out.write(indent.data(), static_cast<std::streamsize>(indent.size()));
            WriteEntry(out, entry);
            if (entry.IsPopUp())
                indent += "  ";
            return WalkStep::Continue;
        },
        [&](const CMenuPopUp&) { indent.resize(indent.size() - 2); });
}

void WriteShowListing(std::ostream& out, int result, const CMenuData& menu) {
    out << "result " << result << '\n';
    if (result == 0 || result == 1)
        out << "number " << menu.m_wMenuNumber << '\n';
    if (result == 0)
        WriteMenuEntries(out, menu.m_rootPopUp);
}

void WriteStoredListing(std::ostream& out, const CMenuData& menu) {
    out << "number " << menu.m_wMenuNumber << '\n';
    WriteMenuEntries(out, menu.m_rootPopUp);
}
