#pragma once

#include <windows.h>

// A library imported late (see this folder's CMakeLists.txt) is asked for
// here before its first call: a late import that cannot find its library
// raises an exception in the middle of whatever called it, while this lets
// the task fail the way it fails when the library refuses it. The library is
// taken from the system's folder only, never from beside the program, and
// stays loaded for the rest of the process, so the late import binds to it.
//
// Null, with the system's error for GetLastError, when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);
