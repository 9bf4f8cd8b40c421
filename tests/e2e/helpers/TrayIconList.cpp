#include "TrayIconList.h"

#include "WindowLookup.h"

#include <commctrl.h>

namespace {

constexpr std::size_t kTipCapacity = 1024; // the most a tooltip control copies out

// Asks the tooltip control for its tools one by one; each is an icon. The
// message's parameter is read and written by the shell in its own address
// space, so it lives in a block of the shell's memory.
void ReadTools(HWND tooltip, std::vector<ShownTrayIcon>& icons) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(tooltip, &processId);
    const HANDLE process =
        ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr)
        return;
    const std::size_t size = sizeof(TTTOOLINFOW) + kTipCapacity * sizeof(WCHAR);
    char* const block =
        static_cast<char*>(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    for (WPARAM index = 0; block != nullptr; ++index) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = reinterpret_cast<LPWSTR>(block + sizeof tool);
        WCHAR text[kTipCapacity] = {};
        DWORD_PTR found = 0;
        if (!::WriteProcessMemory(process, block, &tool, sizeof tool, nullptr) ||
            !::WriteProcessMemory(process, block + sizeof tool, text, sizeof(WCHAR), nullptr) ||
            !::SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, index, reinterpret_cast<LPARAM>(block),
                                   SMTO_ABORTIFHUNG, 2000, &found) ||
            !found || !::ReadProcessMemory(process, block, &tool, sizeof tool, nullptr) ||
            !::ReadProcessMemory(process, block + sizeof tool, text, sizeof text - sizeof(WCHAR),
                                 nullptr))
            break;
        // A removed icon can leave its tooltip behind, with no place.
        if (::IsRectEmpty(&tool.rect))
            continue;
        ShownTrayIcon icon;
        icon.place = tool.rect;
        ::MapWindowPoints(tool.hwnd, nullptr, reinterpret_cast<POINT*>(&icon.place), 2);
        char narrow[kTipCapacity * 2] = {};
        ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
        icon.tip = narrow;
        icons.push_back(icon);
    }
    if (block != nullptr)
        ::VirtualFreeEx(process, block, 0, MEM_RELEASE);
    ::CloseHandle(process);
}

} // namespace

std::vector<ShownTrayIcon> ListTrayIcons() {
    std::vector<ShownTrayIcon> icons;
    WindowQuery query;
    query.className = "Shell_TrayWnd";
    const HWND taskbar = FindTopLevel(query);
    // The icons' tooltip controls belong to the taskbar.
    query.className = TOOLTIPS_CLASSA;
    for (HWND tooltip : FindAllTopLevel(query))
        if (taskbar != nullptr && ::GetWindow(tooltip, GW_OWNER) == taskbar)
            ReadTools(tooltip, icons);
    return icons;
}
