#pragma once

#include "platform/ShellService.h"
#include "tests/fake/CallLog.h"

#include <string>
#include <vector>

// The shell and process start, which start nothing: every request is kept,
// with the program the real service would start for a command line.
class FakeShell : public ShellService {
public:
    struct ProcessStart {
        std::string commandLine;
        std::string programPath; // empty when the line names no program
    };

    explicit FakeShell(CallLog& log) : m_log(log) {}

    bool ShellOpen(const std::string& address) override;
    // Fails, as the real one does, when the line names no program.
    bool StartProcess(const std::string& commandLine) override;

    // Addresses handed to the shell, in order.
    std::vector<std::string> opened;
    std::vector<ProcessStart> started;

    bool shellOpenSucceeds = true;
    bool startProcessSucceeds = true;

private:
    CallLog& m_log;
};
