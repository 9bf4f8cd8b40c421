#include "platform/win32/Win32Shell.h"

#include "platform/CommandLineProgram.h"
#include "platform/win32/UniqueHandles.h"

#include <shellapi.h>

namespace {

// A program named without a folder ("browser.exe --new-window %1") is looked
// for where the system looks for programs; a path is used as it stands.
std::string LocateProgram(const std::string& program) {
    if (program.find_first_of("\\/:") != std::string::npos)
        return program;
    std::string found(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = ::SearchPathA(nullptr, program.c_str(), ".exe",
                                           static_cast<DWORD>(found.size()), &found[0], nullptr);
        if (length == 0)
            return program;
        if (length < found.size()) {
            found.resize(length);
            return found;
        }
        found.resize(length);
    }
}

} // namespace

bool Win32Shell::ShellOpen(const std::string& address) {
    m_apartment.Enter();
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
    const std::string programPath = LocateProgram(*program);
    if (!::CreateProcessA(programPath.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process))
        return false;
    // The program does not wait for the browser; its handles are let go at once.
    UniqueKernelObject processHandle(process.hProcess);
    UniqueKernelObject threadHandle(process.hThread);
    return true;
}
