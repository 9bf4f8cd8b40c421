#pragma once

#include "app/TrayWnd.h"
#include "platform/TimerService.h"
#include "platform/TrayService.h"

// The application: start-up and shut-down, the busy counter that guards
// against re-entry and makes the tray icon blink, the two timers and the
// sequence of a server check.
class CSiteMenuApp : public TimerSink {
public:
    static constexpr unsigned kHourlyTimerId = 1;
    static constexpr unsigned kHourlyPeriodMs = 3600000;
    static constexpr unsigned kBlinkTimerId = 2;
    static constexpr unsigned kBlinkPeriodMs = 1000;

    // True to run the message loop, false to end at once.
    bool InitInstance();
    // Returns the process exit code.
    int ExitInstance(int exitCode);

    void BeginBusy(bool bBlink);
    void EndBusy();
    void OnBlinkTimer();
    void ShowNormalIcon();
    void ShowBusyIcon();

    // Opens the site with that command identifier; false when no site of the
    // current menu has it.
    bool OpenSiteCommand(int nCommandId);

    void StartHourlyTimer();
    // The one callback of all the program's timers, the tray icon's too.
    void OnTimer(unsigned timerId) override;
    void OnHourlyTimer();
    // A server check: the prompts (the query prompt only when bPrompt), then
    // the update. True when a new menu was installed.
    bool CheckNow(bool bPrompt);
    // Downloads a new menu and makes it current; true when one was installed.
    bool UpdateMenu();

    IconHandle m_hIconNormal = nullptr;
    IconHandle m_hIconBusy = nullptr;
    unsigned m_nBlinkTimer = 0;
    bool m_bBlinkPhase = false;
    unsigned m_nHourlyTimer = 0;
    int m_nBusyCount = 0;
    int m_nBlinkLevel = -1;
    CTrayWnd m_wndTray;
};

extern CSiteMenuApp theApp;

// The whole run of the program: start-up, the message loop, shut-down.
// Returns the process exit code.
int RunProgram();
