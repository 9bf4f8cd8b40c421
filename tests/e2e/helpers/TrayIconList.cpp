#include "TrayIconList.h"

#include "WindowLookup.h"

#include <commctrl.h>

namespace {

constexpr std::size_t kTipCapacity = 1024; // the most a tooltip control copies out

// Memory in another process, for a message whose parameter is a pointer that
// the receiver reads and writes in its own address space.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, std::size_t size)
        : m_process(process),
          m_address(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteBlock() {
        if (m_address != nullptr)
            ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    char* Address() const { return static_cast<char*>(m_address); }
    bool Write(std::size_t offset, const void* data, std::size_t size) const {
        return ::WriteProcessMemory(m_process, Address() + offset, data, size, nullptr) != FALSE;
    }
    bool Read(std::size_t offset, void* data, std::size_t size) const {
        return ::ReadProcessMemory(m_process, Address() + offset, data, size, nullptr) != FALSE;
    }

private:
    HANDLE m_process;
    void* m_address;
};

// Asks the tooltip control for its tools one by one; each is an icon.
void ReadTools(HWND tooltip, std::vector<ShownTrayIcon>& icons) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(tooltip, &processId);
    const HANDLE process =
        ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr)
        return;
    {
        RemoteBlock block(process, sizeof(TTTOOLINFOW) + kTipCapacity * sizeof(WCHAR));
        for (WPARAM index = 0; block.Address() != nullptr; ++index) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.lpszText = reinterpret_cast<LPWSTR>(block.Address() + sizeof tool);
            const WCHAR none = 0;
            DWORD_PTR found = 0;
            if (!block.Write(0, &tool, sizeof tool) ||
                !block.Write(sizeof tool, &none, sizeof none) ||
                !::SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, index,
                                       reinterpret_cast<LPARAM>(block.Address()), SMTO_ABORTIFHUNG,
                                       2000, &found) ||
                !found)
                break;
            WCHAR text[kTipCapacity] = {};
            if (!block.Read(0, &tool, sizeof tool) ||
                !block.Read(sizeof tool, text, sizeof text - sizeof(WCHAR)))
                break;

            ShownTrayIcon icon;
            if (tool.uFlags & TTF_IDISHWND) {
                ::GetWindowRect(reinterpret_cast<HWND>(tool.uId), &icon.place);
            } else if (!::IsRectEmpty(&tool.rect)) {
                icon.place = tool.rect;
                ::MapWindowPoints(tool.hwnd, nullptr, reinterpret_cast<POINT*>(&icon.place), 2);
            }
            // A removed icon can leave its tooltip behind, with no place.
            if (::IsRectEmpty(&icon.place))
                continue;
            char narrow[kTipCapacity * 2] = {};
            ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
            icon.tip = narrow;
            icons.push_back(icon);
        }
    }
    ::CloseHandle(process);
}

struct TooltipSearch {
    HWND taskbar;
    std::vector<ShownTrayIcon>* icons;
};

// The tooltip controls belong to the taskbar, or to icon windows inside it.
BOOL CALLBACK ReadTaskbarTooltip(HWND window, LPARAM context) {
    const TooltipSearch& search = *reinterpret_cast<TooltipSearch*>(context);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    const HWND owner = ::GetWindow(window, GW_OWNER);
    if (lstrcmpiA(className, TOOLTIPS_CLASSA) == 0 && owner != nullptr &&
        (owner == search.taskbar || ::IsChild(search.taskbar, owner)))
        ReadTools(window, *search.icons);
    return TRUE;
}

} // namespace

std::vector<ShownTrayIcon> ListTrayIcons() {
    std::vector<ShownTrayIcon> icons;
    WindowQuery taskbar;
    taskbar.className = "Shell_TrayWnd";
    TooltipSearch search{FindTopLevel(taskbar), &icons};
    if (search.taskbar != nullptr)
        ::EnumWindows(ReadTaskbarTooltip, reinterpret_cast<LPARAM>(&search));
    return icons;
}
