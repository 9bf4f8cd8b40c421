#include "platform/win32/Win32Program.h"

#include <windows.h>

#include <vector>

std::string Win32Program::ProgramName() {
    // The path may be longer than MAX_PATH; the buffer grows until it fits.
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::string name(path.begin(), path.end());
    const std::size_t folderEnd = name.find_last_of("\\/");
    if (folderEnd != std::string::npos)
        name.erase(0, folderEnd + 1);
    const std::size_t extension = name.rfind('.');
    if (extension != std::string::npos)
        name.erase(extension);
    return name;
}
