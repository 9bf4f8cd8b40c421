#pragma once

#include "platform/ModelessDialogService.h"
#include "platform/win32/Win32Window.h"

// Modeless dialogs from the program's templates, owned by the hidden window
// and centred on the work area. A template that should show at once carries
// WS_VISIBLE.
class Win32ModelessDialogs : public ModelessDialogService {
public:
    explicit Win32ModelessDialogs(const Win32Window& window) : m_window(window) {}

    std::unique_ptr<ModelessDialog> Create(unsigned templateId, DialogHandler& handler) override;

private:
    const Win32Window& m_window;
};
