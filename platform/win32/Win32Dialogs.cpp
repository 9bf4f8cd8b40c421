#include "platform/win32/Win32Dialogs.h"

#include "platform/win32/HandlerDialogProc.h"

int Win32Dialogs::RunModal(unsigned templateId, DialogHandler& handler) {
    const INT_PTR result = ::DialogBoxParamA(::GetModuleHandleA(nullptr),
                                             MAKEINTRESOURCEA(templateId), m_window.ModalOwner(),
                                             HandlerDialogProc, reinterpret_cast<LPARAM>(&handler));
    return result == -1 ? kFailed : static_cast<int>(result);
}
