#pragma once

#include <windows.h>

// A click on a dialog's button, as the button itself reports it to the dialog.
void PostClick(HWND dialog, int controlId);
