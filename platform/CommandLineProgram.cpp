#include "platform/CommandLineProgram.h"

namespace {

constexpr const char* kBlanks = " \t";

// Where an unquoted program path that names its ".exe" ends: just after the
// first ".exe", in any case, that a blank or the end of the line follows.
std::size_t EndOfUnquotedExe(const std::string& commandLine, std::size_t start) {
    for (std::size_t at = start; at + 4 <= commandLine.size(); ++at) {
        const std::size_t end = at + 4;
        if (commandLine[at] == '.' && (commandLine[at + 1] | 0x20) == 'e' &&
            (commandLine[at + 2] | 0x20) == 'x' && (commandLine[at + 3] | 0x20) == 'e' &&
            (end == commandLine.size() || commandLine[end] == ' ' || commandLine[end] == '\t'))
            return end;
    }
    return std::string::npos;
}

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
        std::size_t end = EndOfUnquotedExe(commandLine, start);
        if (end == std::string::npos)
            end = commandLine.find_first_of(kBlanks, start);
        path = commandLine.substr(start, end == std::string::npos ? end : end - start);
    }
    if (path.empty())
        return std::nullopt;
    return path;
}
