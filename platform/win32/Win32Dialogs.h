#pragma once

#include "platform/DialogService.h"
#include "platform/win32/Win32Window.h"

// Modal dialogs from the program's templates, owned by the hidden window (or
// the pop-up it last activated), which the system disables while they run.
class Win32Dialogs : public DialogService {
public:
    explicit Win32Dialogs(const Win32Window& window) : m_window(window) {}

    int RunModal(unsigned templateId, DialogHandler& handler) override;

private:
    const Win32Window& m_window;
};
