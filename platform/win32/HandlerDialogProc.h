#pragma once

#include <windows.h>

// The dialog procedure of every dialog made from one of the program's
// templates, modal or modeless: WM_INITDIALOG's parameter is the dialog's
// DialogHandler, which gets the dialog's controls when it opens and its button
// clicks afterwards. The dialog is centred on the work area once the handler
// has filled it.
INT_PTR CALLBACK HandlerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
