#pragma once

#include "platform/DialogService.h"

#include <memory>

// A dialog window that shows at once while its creator keeps running.
// Destroying the object destroys the window.
class ModelessDialog : public DialogControls {
public:
    // Paints the window now, for callers that run no message loop.
    virtual void Redraw() = 0;
};

class ModelessDialogService {
public:
    virtual ~ModelessDialogService() = default;

    // Creates the dialog from its numbered template, centred on the screen's
    // work area, and shows it; null when it cannot be created. The handler's
    // OnInitDialog runs before this returns; Enter and Escape go to its OnOK
    // and OnCancel.
    virtual std::unique_ptr<ModelessDialog> Create(unsigned templateId, DialogHandler& handler) = 0;
};
