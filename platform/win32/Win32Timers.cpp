#include "platform/win32/Win32Timers.h"

#include <cassert>

Win32Timers* Win32Timers::s_active = nullptr;

Win32Timers::Win32Timers() {
    assert(s_active == nullptr && "one timer service per process");
    s_active = this;
}

Win32Timers::~Win32Timers() {
    for (UINT_PTR timerId : m_running)
        ::KillTimer(nullptr, timerId);
    s_active = nullptr;
}

void Win32Timers::SetSink(TimerSink* sink) {
    m_sink = sink;
}

unsigned Win32Timers::StartTimer(unsigned, unsigned periodMs) {
    // Without a window the system picks the identifier anyway, and a requested
    // one that happened to equal a running thread timer's would replace that
    // timer; so none is requested.
    const UINT_PTR timerId = ::SetTimer(nullptr, 0, periodMs, TimerProc);
    if (timerId == 0)
        return 0;
    m_running.insert(timerId);
    return static_cast<unsigned>(timerId);
}

void Win32Timers::StopTimer(unsigned timerId) {
    if (m_running.erase(timerId) != 0)
        ::KillTimer(nullptr, timerId);
}

void CALLBACK Win32Timers::TimerProc(HWND, UINT, UINT_PTR timerId, DWORD) {
    // Stopping a timer leaves a tick that was already queued; the program has
    // let go of that identifier and must not hear from it again.
    Win32Timers* timers = s_active;
    if (timers == nullptr || timers->m_sink == nullptr || timers->m_running.count(timerId) == 0)
        return;
    timers->m_sink->OnTimer(static_cast<unsigned>(timerId));
}
