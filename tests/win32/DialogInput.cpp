#include "tests/win32/DialogInput.h"

void PostClick(HWND dialog, int controlId) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, controlId)));
}
