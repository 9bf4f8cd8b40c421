#pragma once

#include "platform/DialogService.h"

#include <windows.h>

// Hands a dialog's WM_COMMAND to its handler: OK (also Enter) to OnOK, Cancel
// (also Escape and the close box) to OnCancel, any other button click to
// OnCommand. False when the message was no button click.
bool RouteDialogCommand(DialogHandler& handler, DialogControls& controls, WPARAM wParam);
