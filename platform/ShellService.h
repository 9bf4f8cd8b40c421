#pragma once

#include <string>

// Starting other programs.
class ShellService {
public:
    virtual ~ShellService() = default;

    // Hands the address to the shell's "open" verb, owned by the hidden window.
    virtual bool ShellOpen(const std::string& address) = 0;
    // Starts a new process from a complete command line, shown normally. The
    // program's path is taken from the line's first (possibly quoted) token
    // only, so an unquoted path with spaces cannot start another program.
    virtual bool StartProcess(const std::string& commandLine) = 0;
};
