#include "bench/JsonBookmarks.h"

#include "menu/MenuDivider.h"
#include "menu/MenuSite.h"
#include "menu/MenuWalk.h"

#include <vector>

namespace {

void AppendJsonString(std::string& json, std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    json += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            json += "\\u00";
            json += kHex[byte >> 4];
            json += kHex[byte & 0xF];
        } else {
            json += c;
        }
    }
    json += '"';
}

void OpenFolder(std::string& json, const CMenuPopUp& popUp) {
    json += "{\"name\":";
    AppendJsonString(json, popUp.m_strCaption);
    json += ",\"children\":[";
}

} // namespace

std::string WriteJsonBookmarks(const CMenuPopUp& root) {
    std::string json;
    OpenFolder(json, root);
    // Per open array, innermost last: whether it is still without an element.
    std::vector<bool> empty{true};
    WalkMenu(
        root,
        [&](const CMenuItem& entry) {
            if (!empty.back())
                json += ',';
            empty.back() = false;
            if (entry.IsPopUp()) {
                OpenFolder(json, static_cast<const CMenuPopUp&>(entry));
                empty.push_back(true);
            } else if (entry.IsSite()) {
                json += "{\"name\":";
                AppendJsonString(json, entry.m_strCaption);
                json += ",\"url\":";
                AppendJsonString(json, static_cast<const CMenuSite&>(entry).m_strUrl);
                json += '}';
            } else {
                json += "{}";
            }
            return WalkStep::Continue;
        },
        [&](const CMenuPopUp&) {
            empty.pop_back();
            json += "]}";
        });
    json += "]}";
    return json;
}

CMenuPopUp* AppendBookmark(CMenuPopUp& parent, const Bookmark& bookmark) {
    if (bookmark.isFolder) {
        auto popUp = std::make_unique<CMenuPopUp>();
        popUp->m_strCaption.assign(bookmark.name);
        CMenuPopUp* const added = popUp.get();
        parent.m_arrChildren.push_back(std::move(popUp));
        return added;
    }
    if (bookmark.url) {
        auto site = std::make_unique<CMenuSite>();
        site->m_strCaption.assign(bookmark.name);
        site->m_strUrl.assign(*bookmark.url);
        parent.m_arrChildren.push_back(std::move(site));
    } else {
        parent.m_arrChildren.push_back(std::make_unique<CMenuDivider>());
    }
    return nullptr;
}
