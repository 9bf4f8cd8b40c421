#pragma once

#include "platform/WindowService.h"

// The hidden main window: it receives the tray icon's notifications and the
// pop-up menu's commands.
class CTrayWnd : public WindowEvents {
public:
    void OnTrayNotify(unsigned iconId, unsigned mouseMessage) override;
    bool OnCommand(int commandId) override;
    void OnDestroy() override;
    void OnTaskbarCreated() override;
};
