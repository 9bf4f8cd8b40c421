#pragma once

#include "platform/win32/Win32Window.h"

// Prints "ok: WHAT" or "FAIL: WHAT" on a line of its own and counts a failure.
void Expect(bool condition, const std::string& what);
// Expect for a text: WHAT with the text SHOWN, and EXPECTED when they differ.
void ExpectEqual(const std::string& shown, const std::string& expected, const std::string& what);

// The groups of checks, each on services of its own, with the hidden window
// as the owner of what they open.
void CheckDialogs(Win32Window& window);
void CheckProcessStart(const Win32Window& window);

// The HTTP service against the test server at SERVER (http://127.0.0.1:PORT).
void CheckHttp(const std::string& server);
// The settings store against the registry.
void CheckRegistry();
// The child mode, "--child MARKER": writes the program's own path to the file
// MARKER and ends the process. Returns when not started in that mode.
void RunAsChild(int argc, char** argv);
