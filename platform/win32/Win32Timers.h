#pragma once

#include "platform/TimerService.h"

#include <windows.h>

#include <set>

// Thread timers without a window. Their callback carries no context, so one
// instance at a time serves the thread.
class Win32Timers : public TimerService {
public:
    Win32Timers();
    ~Win32Timers() override;
    Win32Timers(const Win32Timers&) = delete;
    Win32Timers& operator=(const Win32Timers&) = delete;

    void SetSink(TimerSink* sink) override;
    unsigned StartTimer(unsigned requestedId, unsigned periodMs) override;
    void StopTimer(unsigned timerId) override;

private:
    static void CALLBACK TimerProc(HWND window, UINT message, UINT_PTR timerId, DWORD time);

    static Win32Timers* s_active;
    TimerSink* m_sink = nullptr;
    std::set<UINT_PTR> m_running;
};
