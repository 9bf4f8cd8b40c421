#pragma once

#include "platform/DialogService.h"

// The request to connect to the Internet before a check, with its
// "Don't ask again" box.
class CConnectDlg : public DialogHandler {
public:
    void OnOK(DialogControls& controls) override;

    bool m_bDontAskAgain = false;
};
