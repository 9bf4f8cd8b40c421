#include "bench/NlohmannPeer.h"

#include "bench/JsonBookmarks.h"
#include "menu/CommandCounter.h"

#include <nlohmann/json.hpp>

#include <vector>

namespace {

using nlohmann::json;

std::string_view StringMember(const json& object, const char* key, bool& found) {
    const auto member = object.find(key);
    found = member != object.end() && member->is_string();
    return found ? std::string_view(member->get_ref<const json::string_t&>()) : std::string_view();
}

const json* ChildrenMember(const json& object) {
    const auto member = object.find("children");
    return member != object.end() && member->is_array() ? &*member : nullptr;
}

Bookmark ReadBookmark(const json& object) {
    bool hasName = false;
    bool hasUrl = false;
    Bookmark bookmark{StringMember(object, "name", hasName), std::nullopt,
                      ChildrenMember(object) != nullptr};
    const std::string_view url = StringMember(object, "url", hasUrl);
    if (hasUrl)
        bookmark.url = url;
    return bookmark;
}

} // namespace

std::string BuildMenuWithNlohmann(std::string_view text, CMenuData& menu) {
    // Without exceptions: a text that is not JSON comes back discarded.
    const json document = json::parse(text.begin(), text.end(), nullptr, false);
    if (document.is_discarded())
        return "not valid JSON";
    if (!document.is_object())
        return "the outermost value is not an object";
    menu.m_rootPopUp.m_strCaption.assign(ReadBookmark(document).name);

    // The arrays being read, innermost last, so no nesting depth recurses.
    struct Frame {
        const json* children;
        std::size_t next;
        CMenuPopUp* popUp;
    };
    std::vector<Frame> open;
    if (const json* children = ChildrenMember(document))
        open.push_back({children, 0, &menu.m_rootPopUp});
    while (!open.empty()) {
        Frame& top = open.back();
        if (top.next == top.children->size()) {
            open.pop_back();
            continue;
        }
        const json& element = (*top.children)[top.next++];
        if (!element.is_object())
            return "a bookmark is not an object";
        if (CMenuPopUp* folder = AppendBookmark(*top.popUp, ReadBookmark(element)))
            open.push_back({ChildrenMember(element), 0, folder});
    }
    NumberSites(menu.m_rootPopUp);
    return {};
}
