#pragma once

#include <optional>
#include <string>

// The program a command line starts: its first token, either in double quotes
// or running to the first space or tab. None when the line names no program
// or its opening quote is never closed. The program is started by this path
// alone: an unquoted path with spaces names the file up to its first space,
// never whichever longer path happens to exist.
std::optional<std::string> ProgramPathOf(const std::string& commandLine);
