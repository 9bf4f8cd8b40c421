#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Finding the windows of the programs under test from another process in the
// same desktop, and waiting for them, since every program starts and draws at
// its own pace on a busy machine.

struct WindowQuery {
    const char* title = nullptr;     // exact window name, or null for any
    const char* className = nullptr; // exact class name, or null for any
    bool visibleOnly = false;
    bool quiet = false; // titles read with KeptWindowText
};

// The first top-level window that matches, or null.
HWND FindTopLevel(const WindowQuery& query);

// Every matching top-level window, the one at the bottom of the Z order first.
std::vector<HWND> FindAllTopLevel(const WindowQuery& query);

// Asks `probe` every 100 ms until it answers true or `seconds` have passed;
// returns whether it answered true.
template <typename Probe> bool PollFor(double seconds, Probe probe) {
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    for (;;) {
        if (probe())
            return true;
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(100);
    }
}

// "LEFT TOP WIDTH HEIGHT"
std::string RectText(const RECT& rect);

// RectText of the window's place on the screen.
std::string ScreenRectText(HWND window);

// The window's text; for a control of another process too.
std::string WindowText(HWND window);

// The text the system keeps for the window, read without a message to its
// program: for a program whose thread is busy and reads none, as during
// blocking work behind a modeless window. A control that keeps its own text,
// such as an edit box, may show another one there.
std::string KeptWindowText(HWND window);
