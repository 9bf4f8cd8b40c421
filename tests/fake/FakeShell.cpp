#include "tests/fake/FakeShell.h"

#include "platform/CommandLineProgram.h"

bool FakeShell::ShellOpen(const std::string& address) {
    m_log.Record("ShellOpen " + address + (shellOpenSucceeds ? " -> 1" : " -> 0"));
    opened.push_back(address);
    return shellOpenSucceeds;
}

bool FakeShell::StartProcess(const std::string& commandLine) {
    const std::optional<std::string> program = ProgramPathOf(commandLine);
    const bool succeeded = program.has_value() && startProcessSucceeds;
    m_log.Record("StartProcess " + commandLine + (succeeded ? " -> 1" : " -> 0"));
    started.push_back({commandLine, program.value_or(std::string())});
    return succeeded;
}
