#include "platform/win32/Win32Shell.h"
#include "tests/e2e/helpers/ProcessEnd.h"
#include "tests/e2e/helpers/WindowLookup.h"
#include "tests/win32/ServiceChecks.h"

#include <cstring>
#include <fstream>

void RunAsChild(int argc, char** argv) {
    if (argc != 3 || std::strcmp(argv[1], "--child") != 0)
        return;
    char ownPath[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    std::ofstream(argv[2]) << ownPath;
    EndProcess(0);
}

void CheckProcessStart(const Win32Window& window) {
    char ownPath[MAX_PATH] = {};
    char temp[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    ::GetTempPathA(MAX_PATH, temp);
    Win32Shell shell(window);
    // A program named without a folder is looked for where programs are, the
    // starting program's folder first. The child writes the file once.
    const std::string marker = std::string(temp) + "marker.txt";
    const std::string name = std::strrchr(ownPath, '\\') + 1;
    const bool started = shell.StartProcess(name + " --child " + marker);
    std::string written;
    PollFor(30, [&] { return !started || std::getline(std::ifstream(marker), written); });
    Expect(started && ::lstrcmpiA(written.c_str(), ownPath) == 0,
           "[" + name + "] starts " + ownPath + " (ran: " + written + ")");
    Expect(!shell.ShellOpen(std::string(temp) + "missing.htm"),
           "the shell's failure to open is seen");
}
