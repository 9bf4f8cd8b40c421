#pragma once

#include <windows.h>

// Whether the window's middle is the middle of the screen's work area, give
// or take a pixel of rounding.
bool IsCentredOnWorkArea(HWND window);
