#pragma once

#include <optional>
#include <string>

// The program a command line starts: in double quotes; or, unquoted, up to
// the first ".exe" (any case) that a space, a tab or the end follows, so
// "C:\Program Files\Web\web.exe %1" names the whole path; or else the first
// token, up to a space or tab. None when the line names no program or its
// opening quote is never closed. The program is started by this path alone,
// never by a shorter one such as "C:\Program.exe" that happens to exist.
std::optional<std::string> ProgramPathOf(const std::string& commandLine);
