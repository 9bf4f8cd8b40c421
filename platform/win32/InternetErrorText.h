#pragma once

#include <windows.h>

#include <string>

// The text the system gives for an error of the internet layer or of the
// system itself, without its closing line break; empty for no error or when
// the system has no text for it.
std::string InternetErrorText(DWORD error);
