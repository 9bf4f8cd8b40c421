#include "platform/win32/HandlerDialogProc.h"

#include "platform/DialogService.h"
#include "platform/win32/DialogCommand.h"
#include "platform/win32/Win32DialogControls.h"
#include "platform/win32/WorkArea.h"

INT_PTR CALLBACK HandlerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        auto* handler = reinterpret_cast<DialogHandler*>(lParam);
        Win32DialogControls controls(dialog);
        handler->OnInitDialog(controls);
        // The owner is never visible, so centring on it would put the dialog
        // in the corner of the screen.
        CentreOnWorkArea(dialog);
        return TRUE;
    }
    if (message == WM_NCDESTROY) {
        ReleaseTitleFont(dialog);
        return FALSE;
    }
    auto* handler = reinterpret_cast<DialogHandler*>(::GetWindowLongPtrA(dialog, DWLP_USER));
    if (handler == nullptr || message != WM_COMMAND)
        return FALSE;
    Win32DialogControls controls(dialog);
    return RouteDialogCommand(*handler, controls, wParam) ? TRUE : FALSE;
}
