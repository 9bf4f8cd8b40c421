#include "platform/win32/Win32Shell.h"
#include "tests/e2e/helpers/WindowLookup.h"
#include "tests/win32/ServiceChecks.h"

#include <cstring>
#include <fstream>

void CheckProcessStart(const Win32Window& window) {
    char ownPath[MAX_PATH] = {}, temp[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    ::GetTempPathA(MAX_PATH, temp);
    ComApartment apartment;
    Win32Shell shell(window, apartment);
    // A program named without a folder is looked for where programs are, the
    // starting program's folder first.
    const std::string name = std::strrchr(ownPath, '\\') + 1, marker = temp + name + ".started";
    const bool started = shell.StartProcess(name + " --child " + marker);
    Expect(started && PollFor(30, [&] { return std::ifstream(marker).is_open(); }),
           "[" + name + "] starts from its own folder");
    Expect(!shell.ShellOpen(std::string(temp) + "missing.htm"),
           "the shell's failure to open is seen");
}
