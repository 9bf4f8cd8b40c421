#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Window.h"
#include "tests/win32/ServiceChecks.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The text of a marker file once a child has written it; empty when none
// appears within the time given.
std::string AwaitMarker(const std::string& path, int milliseconds) {
    for (int waited = 0; waited <= milliseconds; waited += 100) {
        if (FILE* file = std::fopen(path.c_str(), "r")) {
            char text[MAX_PATH] = {};
            const std::size_t length = std::fread(text, 1, sizeof text - 1, file);
            std::fclose(file);
            if (length > 0)
                return std::string(text, length);
        }
        ::Sleep(100);
    }
    return {};
}

} // namespace

int RunAsChild(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--child") != 0)
            continue;
        char ownPath[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
        FILE* marker = std::fopen(argv[i + 1], "w");
        if (marker == nullptr)
            return 3;
        std::fputs(ownPath, marker);
        std::fclose(marker);
        return 0;
    }
    return -1;
}

void CheckProcessStart(CheckList& checks, const char* ownPath) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "vellinor-services-test";
    const std::string spaced = folder + "\\with space";
    const std::string child = spaced + "\\child.exe";
    // What a system that splits an unquoted path at its spaces would start.
    const std::string decoy = folder + "\\with.exe";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ::CreateDirectoryA(spaced.c_str(), nullptr);
    checks.Expect(::CopyFileA(ownPath, child.c_str(), FALSE) &&
                      ::CopyFileA(ownPath, decoy.c_str(), FALSE),
                  "the child and the decoy are in place");

    const Win32Window noWindow;
    Win32Shell shell(noWindow);

    const std::string quotedMarker = folder + "\\quoted.txt";
    checks.Expect(shell.StartProcess("\"" + child + "\" --child " + quotedMarker),
                  "a quoted program path with spaces starts");
    const std::string ran = AwaitMarker(quotedMarker, 10000);
    checks.Expect(::lstrcmpiA(ran.c_str(), child.c_str()) == 0, "and it is that program that ran");

    // The line the system would misread: it tries "with.exe" first.
    const std::string unquotedMarker = folder + "\\unquoted.txt";
    const std::string guessMarker = folder + "\\guessed.txt";
    std::string guessLine = child + " --child " + guessMarker;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (::CreateProcessA(nullptr, &guessLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    checks.Expect(::lstrcmpiA(AwaitMarker(guessMarker, 10000).c_str(), decoy.c_str()) == 0,
                  "left to guess, the system starts the decoy");
    checks.Expect(shell.StartProcess(child + " --child " + unquotedMarker),
                  "an unquoted program path with spaces starts, up to its \".exe\"");
    checks.Expect(::lstrcmpiA(AwaitMarker(unquotedMarker, 10000).c_str(), child.c_str()) == 0,
                  "and it is that program that ran, not the decoy");

    // A program named without a folder is found where programs are looked
    // for, the starting program's own folder first.
    const char* ownName = std::strrchr(ownPath, '\\');
    const std::string bareMarker = folder + "\\bare.txt";
    checks.Expect(shell.StartProcess(std::string(ownName != nullptr ? ownName + 1 : ownPath) +
                                     " --child " + bareMarker),
                  "a program named without a folder starts");
    checks.Expect(::lstrcmpiA(AwaitMarker(bareMarker, 10000).c_str(), ownPath) == 0,
                  "and it is the one in the starting program's folder");

    checks.Expect(!shell.ShellOpen(folder + "\\missing.htm"),
                  "the shell's failure to open is seen");
}
