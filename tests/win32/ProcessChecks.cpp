#include "platform/win32/Win32Shell.h"
#include "tests/e2e/helpers/ProcessEnd.h"
#include "tests/win32/ServiceChecks.h"

#include <cstring>
#include <fstream>

void RunAsChild(int argc, char** argv) {
    // The words of an unquoted program path with spaces come first.
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--child") != 0)
            continue;
        char ownPath[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
        std::ofstream(argv[i + 1]) << ownPath;
        EndProcess(0);
    }
}

void CheckProcessStart(const Win32Window& window) {
    char ownPath[MAX_PATH] = {};
    char temp[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "vellinor-services-test";
    const std::string child = folder + "\\with space\\child.exe";
    // The system, left to guess, starts this for the child's path unquoted.
    const std::string decoy = folder + "\\with.exe";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ::CreateDirectoryA((folder + "\\with space").c_str(), nullptr);
    Expect(::CopyFileA(ownPath, child.c_str(), FALSE) && ::CopyFileA(ownPath, decoy.c_str(), FALSE),
           "the child and the decoy are in place");

    Win32Shell shell(window);
    // The program path of a line, and the program that must run for it. A
    // name without a folder is looked for where programs are, the starting
    // program's folder first.
    const std::pair<std::string, std::string> cases[] = {
        {"\"" + child + "\"", child},
        {child, child},
        {std::strrchr(ownPath, '\\') + 1, ownPath},
    };
    int number = 0;
    for (const auto& [program, ran] : cases) {
        const std::string marker = folder + "\\" + std::to_string(++number) + ".txt";
        std::string written;
        const bool started = shell.StartProcess(program + " --child " + marker);
        // The child writes the file once; it is read until it is there.
        for (int tries = 0; started && tries < 300 && written.empty(); ++tries, ::Sleep(100))
            std::getline(std::ifstream(marker), written);
        Expect(started && ::lstrcmpiA(written.c_str(), ran.c_str()) == 0,
               "[" + program + "] starts " + ran + ", not [" + written + "]");
    }
    Expect(!shell.ShellOpen(folder + "\\missing.htm"), "the shell's failure to open is seen");
}
