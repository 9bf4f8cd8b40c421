#include "platform/win32/Win32Tray.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kTipLength = 63;

UINT ShellFlags(unsigned recordFlags) {
    UINT flags = 0;
    if (recordFlags & TrayIconRecord::kMessage)
        flags |= NIF_MESSAGE;
    if (recordFlags & TrayIconRecord::kIcon)
        flags |= NIF_ICON;
    if (recordFlags & TrayIconRecord::kTip)
        flags |= NIF_TIP;
    return flags;
}

} // namespace

IconHandle Win32Tray::LoadIcon(unsigned resourceId) {
    auto loaded = m_icons.find(resourceId);
    if (loaded != m_icons.end())
        return reinterpret_cast<IconHandle>(loaded->second.get());
    const HICON icon = static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    if (icon == nullptr)
        return nullptr;
    m_icons[resourceId].reset(icon);
    return reinterpret_cast<IconHandle>(icon);
}

bool Win32Tray::AddIcon(const TrayIconRecord& record) {
    return Notify(NIM_ADD, record);
}

bool Win32Tray::ModifyIcon(const TrayIconRecord& record) {
    return Notify(NIM_MODIFY, record);
}

bool Win32Tray::DeleteIcon(const TrayIconRecord& record) {
    return Notify(NIM_DELETE, record);
}

bool Win32Tray::Notify(DWORD operation, const TrayIconRecord& record) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = reinterpret_cast<HWND>(record.window);
    data.uID = record.iconId;
    data.uFlags = ShellFlags(record.flags);
    data.uCallbackMessage = record.callbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.icon);
    const std::size_t tipLength = std::min(record.tip.size(), kTipLength);
    std::memcpy(data.szTip, record.tip.data(), tipLength);
    if (record.flags & TrayIconRecord::kMessage)
        m_window.SetTrayCallbackMessage(record.callbackMessage);
    return ::Shell_NotifyIconA(operation, &data) != FALSE;
}
