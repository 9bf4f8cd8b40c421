#pragma once

#include "app/BusyScope.h"
#include "platform/DialogService.h"

// The preferences dialog (template 133): the check interval, how sites open in
// the browser and the two prompts. It shows the current settings and hands
// every value back to the settings' setters on OK, which store only what
// changed. In first-run mode it can only be left with OK.
class CPreferencesDlg : public DialogHandler {
public:
    explicit CPreferencesDlg(bool bFirstRun);

    // Runs the dialog; DialogHandler::kOk or kCancel, or DialogService::kFailed
    // when it could not be shown.
    int DoModal();

    void OnInitDialog(DialogControls& controls) override;
    void OnOK(DialogControls& controls) override;
    void OnCancel(DialogControls& controls) override;

    int m_bPromptConnect = 0;  // check box 1009
    int m_nInterval = -1;      // interval buttons from 1012; -1 when none is chosen
    int m_bPromptCheck = 0;    // check box 1015
    int m_nBrowserWindow = -1; // 0 existing window, 1 a new one; -1 when none is chosen
    bool m_bFirstRun;
    // The tray icon blinks, and nothing else starts, while the dialog exists.
    CBusyScope m_busy;

private:
    // Members into the controls, or with bSaveAndValidate the controls back
    // into the members.
    void DoDataExchange(DialogControls& controls, bool bSaveAndValidate);
};
