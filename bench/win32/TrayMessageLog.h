#pragma once

#include <windows.h>

// What the hook in the shell's process tells the start-up timer, through
// shared memory: when the taskbar had handled the first notification-area
// message of the latest program to send one. A program's first such message
// is the one that adds its icon.
struct TrayMessageLog {
    HWND taskbar;            // set by the timer: the window whose messages count
    volatile LONG processId; // the program that sent it; written last, 0 = none yet
    volatile LONGLONG ticks; // QueryPerformanceCounter when the taskbar had handled it
};

inline constexpr char kTrayMessageLogName[] = "VellinorStartupBenchTrayLog";
inline constexpr char kTrayMessageHookProc[] = "AfterTaskbarMessage";
