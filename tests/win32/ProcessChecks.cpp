#include "platform/win32/Win32Shell.h"
#include "tests/e2e/helpers/ProcessEnd.h"
#include "tests/win32/ServiceChecks.h"

#include <cstring>
#include <fstream>

void RunAsChild(int argc, char** argv) {
    // Last, for the words of an unquoted program path with spaces come first.
    if (argc < 3 || std::strcmp(argv[argc - 2], "--child") != 0)
        return;
    char ownPath[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    std::ofstream(argv[argc - 1]) << ownPath;
    EndProcess(0);
}

void CheckProcessStart(const Win32Window& window) {
    char ownPath[MAX_PATH] = {};
    char temp[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    ::GetTempPathA(MAX_PATH, temp);
    const std::string child = std::string(temp) + "with space\\child.exe";
    ::CreateDirectoryA((std::string(temp) + "with space").c_str(), nullptr);
    // What the system itself starts for the child's path unquoted.
    ::CopyFileA(ownPath, (std::string(temp) + "with.exe").c_str(), FALSE);
    ::CopyFileA(ownPath, child.c_str(), FALSE);

    Win32Shell shell(window);
    // A program's path, and the program that must run for it. A name without
    // a folder is looked for where programs are, the starting program's
    // folder first.
    const std::pair<std::string, std::string> cases[] = {
        {child, child},
        {std::strrchr(ownPath, '\\') + 1, ownPath},
    };
    const std::string marker = std::string(temp) + "marker.txt";
    for (const auto& [program, ran] : cases) {
        ::DeleteFileA(marker.c_str());
        std::string written;
        const bool started = shell.StartProcess(program + " --child " + marker);
        // The child writes the file once; it is read until it is there.
        for (int tries = 0; started && tries < 300 && written.empty(); ++tries, ::Sleep(100))
            std::getline(std::ifstream(marker), written);
        Expect(started && ::lstrcmpiA(written.c_str(), ran.c_str()) == 0,
               "[" + program + "] starts " + ran + " (ran: " + written + ")");
    }
    Expect(!shell.ShellOpen(std::string(temp) + "missing.htm"),
           "the shell's failure to open is seen");
}
