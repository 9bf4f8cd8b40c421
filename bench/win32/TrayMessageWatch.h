#pragma once

#include "TrayMessageLog.h"

#include <string>

// The timer's side of tray-message-hook.dll: hooks it onto the taskbar's
// thread and reads the moment a started program's icon was taken.
class TrayMessageWatch {
public:
    TrayMessageWatch() = default;
    ~TrayMessageWatch();
    TrayMessageWatch(const TrayMessageWatch&) = delete;
    TrayMessageWatch& operator=(const TrayMessageWatch&) = delete;

    // Empty when the hook is in place, otherwise what went wrong.
    std::string Install(const std::string& hookPath);

    // Before a program starts: so that a new process that gets the number of
    // an ended one is still seen.
    void Forget();

    // Whether the taskbar has handled a message of process `processId`; if so,
    // `ticks` is when (QueryPerformanceCounter) it had handled the first one.
    bool IconAddedBy(DWORD processId, LONGLONG& ticks) const;

private:
    HANDLE m_mapping = nullptr;
    TrayMessageLog* m_log = nullptr;
    HMODULE m_hookModule = nullptr;
    HHOOK m_hook = nullptr;
};
