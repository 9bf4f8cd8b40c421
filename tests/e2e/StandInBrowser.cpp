// A web browser stand-in for the end-to-end tests. Registered as the open
// command of web pages and of http and https addresses, it records how it was
// started: it appends its whole command line, as one line, to "browser.log"
// beside the program file, and exits. Nothing else in the test prefix starts
// it, so every line is one browser start by the program under test.
#include "ProcessEnd.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

int RecordStart() {
    char path[MAX_PATH + 16] = {};
    // No name (0) or one cut short (MAX_PATH) fails.
    if (::GetModuleFileNameA(nullptr, path, MAX_PATH) - 1 >= MAX_PATH - 1)
        return 1;
    std::strcpy(std::strrchr(path, '\\') + 1, "browser.log");

    // Opened anew for each start, so two browsers started close together
    // both land in the file, one line each.
    const HANDLE log = ::CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return 1;
    const std::string line = std::string(::GetCommandLineA()) + "\n";
    DWORD written = 0;
    const BOOL ok =
        ::WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(log);
    return ok && written == line.size() ? 0 : 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    EndProcess(RecordStart());
}
