// tray-message-hook.dll: loaded into the shell's process by the start-up
// timer's hook on the taskbar's thread. Notes when the taskbar has handled the
// first notification-area message of each program, so that the timer knows
// when an icon was taken to the microsecond, without asking the shell again
// and again while the program under test starts.
#include "TrayMessageLog.h"

namespace {

// Opened anew for every message: the shell keeps this library loaded after
// one timer has ended, and the next timer's log is another piece of memory.
// Notification-area messages are few, so this costs the shell little.
class OpenedLog {
public:
    OpenedLog() {
        const HANDLE mapping = ::OpenFileMappingA(FILE_MAP_WRITE, FALSE, kTrayMessageLogName);
        if (mapping == nullptr)
            return;
        m_log = static_cast<TrayMessageLog*>(
            ::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(TrayMessageLog)));
        ::CloseHandle(mapping); // the view keeps the memory
    }
    ~OpenedLog() {
        if (m_log != nullptr)
            ::UnmapViewOfFile(m_log);
    }
    OpenedLog(const OpenedLog&) = delete;
    OpenedLog& operator=(const OpenedLog&) = delete;

    TrayMessageLog* operator->() const { return m_log; }
    explicit operator bool() const { return m_log != nullptr; }

private:
    TrayMessageLog* m_log = nullptr;
};

} // namespace

// A notification-area message is WM_COPYDATA to the taskbar, its wParam the
// window the icon belongs to.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    AfterTaskbarMessage(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT& message = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message.message == WM_COPYDATA) {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        const OpenedLog log;
        if (log && message.hwnd == log->taskbar) {
            DWORD sender = 0;
            ::GetWindowThreadProcessId(reinterpret_cast<HWND>(message.wParam), &sender);
            if (static_cast<LONG>(sender) != log->processId) {
                ::InterlockedExchange64(&log->ticks, now.QuadPart);
                ::InterlockedExchange(&log->processId, static_cast<LONG>(sender));
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
