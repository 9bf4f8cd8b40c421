#pragma once

#include <windows.h>

// Moves a window to the middle of the work area of the monitor it is on, the
// place for a dialog whose owner is never visible.
void CentreOnWorkArea(HWND window);
