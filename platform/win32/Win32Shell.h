#pragma once

#include "platform/ShellService.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/Win32Window.h"

// Starting other programs through the shell or as new processes.
class Win32Shell : public ShellService {
public:
    Win32Shell(const Win32Window& window, ComApartment& apartment)
        : m_window(window), m_apartment(apartment) {}

    bool ShellOpen(const std::string& address) override;
    // The program's path goes to the system separately from the line, so the
    // system never guesses it by trying the line's words one after another.
    bool StartProcess(const std::string& commandLine) override;

private:
    const Win32Window& m_window;
    ComApartment& m_apartment;
};
