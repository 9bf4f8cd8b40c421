// How the Windows programs of the tests end. Under Wine a program that returns
// from main, or calls ExitProcess, leaves through the host C library's exit(),
// whose teardown of the loaded libraries now and then trips an assertion of
// the host's dynamic loader ("Inconsistency detected by ld.so: dl-fini.c") and
// ends the process with status 127, whatever the program answered. A process
// that terminates itself leaves at once, without that teardown, with its own
// exit code, so the scripts that read the code can rely on it.
#pragma once

#include <windows.h>

#include <cstdio>

[[noreturn]] inline void EndProcess(int exitCode) {
    // Nothing buffered is lost: the streams are flushed before the end.
    std::fflush(nullptr);
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(exitCode));
    ::ExitProcess(static_cast<UINT>(exitCode));
}
