#pragma once

#include "platform/win32/Win32Window.h"

// Prints "ok: WHAT" or "FAIL: WHAT" on a line of its own and counts a failure.
void Expect(bool condition, const std::string& what);

// The groups of checks, each on services of its own, with the hidden window
// as the owner of what they open.
void CheckDialogs(Win32Window& window);
// Starts this program again as "NAME --child MARKER", which leaves the file
// MARKER.
void CheckProcessStart(const Win32Window& window);

// The HTTP service against the test server at SERVER (http://127.0.0.1:PORT).
void CheckHttp(const std::string& server);
// The settings store against the registry.
void CheckRegistry();
