// The busy counter of the application and the blinking of the tray icon.
#include "app/SiteMenuApp.h"
#include "app/TrayIcon.h"
#include "platform/Services.h"

void CSiteMenuApp::BeginBusy(bool bBlink) {
    ++m_nBusyCount;
    if (bBlink && m_nBlinkTimer == 0) {
        m_nBlinkLevel = m_nBusyCount;
        m_nBlinkTimer = Use<TimerService>().StartTimer(kBlinkTimerId, kBlinkPeriodMs);
    }
}

void CSiteMenuApp::EndBusy() {
    // Only the period that started the blink stops it.
    if (m_nBlinkLevel == m_nBusyCount) {
        if (m_nBlinkTimer != 0)
            Use<TimerService>().StopTimer(m_nBlinkTimer);
        m_nBlinkTimer = 0;
        m_nBlinkLevel = -1;
        ShowNormalIcon();
    }
    --m_nBusyCount;
}

void CSiteMenuApp::OnBlinkTimer() {
    if (m_bBlinkPhase) {
        ShowNormalIcon();
        m_bBlinkPhase = false;
    } else {
        ShowBusyIcon();
        m_bBlinkPhase = true;
    }
}

void CSiteMenuApp::ShowNormalIcon() {
    g_trayIcon.SetIcon(m_hIconNormal);
}

void CSiteMenuApp::ShowBusyIcon() {
    g_trayIcon.SetIcon(m_hIconBusy);
}
