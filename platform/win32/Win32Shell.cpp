#include "platform/win32/Win32Shell.h"

#include "platform/CommandLineProgram.h"
#include "platform/win32/UniqueHandles.h"

#include <shellapi.h>

bool Win32Shell::ShellOpen(const std::string& address) {
    const HINSTANCE result = ::ShellExecuteA(m_window.Handle(), "open", address.c_str(), nullptr,
                                             nullptr, SW_SHOWNORMAL);
    // Values up to 32 are error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Shell::StartProcess(const std::string& commandLine) {
    const std::optional<std::string> program = ProgramPathOf(commandLine);
    if (!program)
        return false;
    // The system may write into the line it is given.
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(program->c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return false;
    // The program does not wait for the browser; its handles are let go at once.
    UniqueKernelObject processHandle(process.hProcess);
    UniqueKernelObject threadHandle(process.hThread);
    return true;
}
