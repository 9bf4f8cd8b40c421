#include "platform/win32/DialogKeyboard.h"

#include "platform/win32/UniqueHandles.h"

#include <algorithm>
#include <vector>

namespace {

struct HookTraits {
    using Handle = HHOOK;
    static Handle Empty() { return nullptr; }
    static void Release(Handle hook) { ::UnhookWindowsHookEx(hook); }
};

std::vector<HWND>& OpenDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

// Installed while at least one dialog is open.
UniqueHandle<HookTraits>& Hook() {
    static UniqueHandle<HookTraits> hook;
    return hook;
}

LRESULT CALLBACK HandDialogKeys(int code, WPARAM removal, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && message->message >= WM_KEYFIRST &&
        message->message <= WM_KEYLAST) {
        // A key may close a dialog, and with it change the list.
        const std::vector<HWND> dialogs = OpenDialogs();
        for (const HWND dialog : dialogs) {
            if (::IsDialogMessageA(dialog, message)) {
                // The dialog has handled it; the loop that fetched it must not.
                message->message = WM_NULL;
                break;
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, removal, lParam);
}

} // namespace

DialogKeyboard::DialogKeyboard(HWND dialog) : m_dialog(dialog) {
    if (!Hook())
        Hook().reset(
            ::SetWindowsHookExA(WH_GETMESSAGE, HandDialogKeys, nullptr, ::GetCurrentThreadId()));
    OpenDialogs().push_back(dialog);
}

DialogKeyboard::~DialogKeyboard() {
    std::vector<HWND>& dialogs = OpenDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), m_dialog), dialogs.end());
    if (dialogs.empty())
        Hook().reset();
}
