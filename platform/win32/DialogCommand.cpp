#include "platform/win32/DialogCommand.h"

bool RouteDialogCommand(DialogHandler& handler, DialogControls& controls, WPARAM wParam) {
    if (HIWORD(wParam) != BN_CLICKED)
        return false;
    const int controlId = LOWORD(wParam);
    switch (controlId) {
    case IDOK:
        handler.OnOK(controls);
        break;
    case IDCANCEL:
        handler.OnCancel(controls);
        break;
    default:
        handler.OnCommand(controlId, controls);
        break;
    }
    return true;
}
