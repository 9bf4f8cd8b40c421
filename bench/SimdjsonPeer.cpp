#include "bench/SimdjsonPeer.h"

#include "bench/JsonBookmarks.h"
#include "menu/CommandCounter.h"

#include <vector>

namespace {

using simdjson::SUCCESS;
using simdjson::dom::array;
using simdjson::dom::object;

// Members that are missing or of another type read as absent.
Bookmark ReadBookmark(object bookmarkObject, array& children) {
    Bookmark bookmark{};
    std::string_view name;
    if (bookmarkObject["name"].get(name) == SUCCESS)
        bookmark.name = name;
    std::string_view url;
    if (bookmarkObject["url"].get(url) == SUCCESS)
        bookmark.url = url;
    bookmark.isFolder = bookmarkObject["children"].get(children) == SUCCESS;
    return bookmark;
}

} // namespace

std::string BuildMenuWithSimdjson(simdjson::dom::parser& parser,
                                  const simdjson::padded_string& json, CMenuData& menu) {
    object document;
    if (const auto error = parser.parse(json).get(document))
        return simdjson::error_message(error);
    array rootChildren;
    const Bookmark root = ReadBookmark(document, rootChildren);
    menu.m_rootPopUp.m_strCaption.assign(root.name);

    // The arrays being read, innermost last, so no nesting depth recurses.
    struct Frame {
        array::iterator next;
        array::iterator end;
        CMenuPopUp* popUp;
    };
    std::vector<Frame> open;
    if (root.isFolder)
        open.push_back({rootChildren.begin(), rootChildren.end(), &menu.m_rootPopUp});
    while (!open.empty()) {
        Frame& top = open.back();
        if (!(top.next != top.end)) {
            open.pop_back();
            continue;
        }
        object element;
        if ((*top.next).get(element) != SUCCESS)
            return "a bookmark is not an object";
        ++top.next;
        array children;
        if (CMenuPopUp* folder = AppendBookmark(*top.popUp, ReadBookmark(element, children)))
            open.push_back({children.begin(), children.end(), folder});
    }
    NumberSites(menu.m_rootPopUp);
    return {};
}
