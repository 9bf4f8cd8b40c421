#pragma once

#include "app/BusyScope.h"
#include "update/ModelessDlg.h"

// The window that ticks the four steps of an update while it runs. It keeps
// the tray icon blinking and the hidden window disabled for its lifetime.
class CProgressDlg : public CModelessDlg {
public:
    static constexpr unsigned kPauseMs = 750;

    CProgressDlg();

    // Ticks the next step, shows it, and pauses so the user can see it.
    void NextStep();

    void OnInitDialog(DialogControls& controls) override;

    bool m_bBuildingMenu = false;
    bool m_bClosingConnection = false;
    bool m_bConnecting = false;
    bool m_bRetrievingData = false;
    CBusyScope m_busy;
    int m_nStep = 0;

private:
    // Controls to flags (fromControls) or flags to controls.
    void UpdateData(DialogControls& controls, bool fromControls);
};
