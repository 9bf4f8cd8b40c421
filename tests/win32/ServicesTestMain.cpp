#include "tests/e2e/helpers/ProcessEnd.h"
#include "tests/win32/ServiceChecks.h"

#include <windows.h>

#include <cstdio>

namespace {

int Run(int argc, char** argv) {
    const int child = RunAsChild(argc, argv);
    if (child >= 0)
        return child;
    const int http = RunHttpChecks(argc, argv);
    if (http >= 0)
        return http;

    char ownPath[MAX_PATH];
    ::GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    CheckList checks;
    CheckModelessDialogs(checks);
    CheckMessageBoxes(checks);
    CheckProcessStart(checks, ownPath);
    std::printf("%d failed\n", checks.Failures());
    return checks.Failures();
}

} // namespace

int main(int argc, char** argv) {
    EndProcess(Run(argc, argv));
}
