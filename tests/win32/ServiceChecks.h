#pragma once

#include "tests/win32/CheckList.h"

// The groups of checks, each on services of its own.
void CheckModelessDialogs(CheckList& checks);
void CheckMessageBoxes(CheckList& checks);
void CheckProcessStart(CheckList& checks, const char* ownPath);

// The HTTP mode of the program, "--http SERVER REFUSED": checks the HTTP
// service against the test server at SERVER (http://127.0.0.1:PORT) and an
// address nobody listens on, and returns the number that failed; -1 when the
// program was not started in that mode.
int RunHttpChecks(int argc, char** argv);

// The child mode of the program: writes a marker file and ends.
int RunAsChild(int argc, char** argv);
