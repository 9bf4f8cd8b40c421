#include "platform/CommandLineProgram.h"

namespace {

constexpr const char* kBlanks = " \t";

} // namespace

std::optional<std::string> ProgramPathOf(const std::string& commandLine) {
    const std::size_t start = commandLine.find_first_not_of(kBlanks);
    if (start == std::string::npos)
        return std::nullopt;
    std::string path;
    if (commandLine[start] == '"') {
        const std::size_t close = commandLine.find('"', start + 1);
        if (close == std::string::npos)
            return std::nullopt;
        path = commandLine.substr(start + 1, close - start - 1);
    } else {
        const std::size_t end = commandLine.find_first_of(kBlanks, start);
        path = commandLine.substr(start, end == std::string::npos ? end : end - start);
    }
    if (path.empty())
        return std::nullopt;
    return path;
}
