#include "WindowLookup.h"

#include <cstdio>

#include <cstring>

namespace {

bool Matches(HWND window, const WindowQuery& query) {
    if (query.visibleOnly && !::IsWindowVisible(window))
        return false;
    if (query.className != nullptr) {
        char className[256] = {};
        ::GetClassNameA(window, className, sizeof className);
        if (std::strcmp(className, query.className) != 0)
            return false;
    }
    return query.title == nullptr ||
           (query.quiet ? KeptWindowText(window) : WindowText(window)) == query.title;
}

struct Search {
    const WindowQuery* query;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMatch(HWND window, LPARAM context) {
    Search& search = *reinterpret_cast<Search*>(context);
    if (Matches(window, *search.query))
        search.found.insert(search.found.begin(), window);
    return TRUE;
}

} // namespace

std::vector<HWND> FindAllTopLevel(const WindowQuery& query) {
    // EnumWindows goes from the top of the Z order down.
    Search search{&query, {}};
    ::EnumWindows(CollectMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevel(const WindowQuery& query) {
    const std::vector<HWND> found = FindAllTopLevel(query);
    return found.empty() ? nullptr : found.back();
}

std::string RectText(const RECT& rect) {
    char text[64];
    std::snprintf(text, sizeof text, "%ld %ld %ld %ld", rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top);
    return text;
}

std::string ScreenRectText(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return RectText(rect);
}

std::string WindowText(HWND window) {
    // WM_GETTEXT is carried across processes; GetWindowText would not ask a
    // control that belongs to another process.
    char text[4096] = {};
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

std::string KeptWindowText(HWND window) {
    wchar_t wide[4096] = {};
    const int length = ::InternalGetWindowText(window, wide, sizeof wide / sizeof wide[0]);
    char text[4096] = {};
    ::WideCharToMultiByte(CP_ACP, 0, wide, length, text, sizeof text - 1, nullptr, nullptr);
    return text;
}
