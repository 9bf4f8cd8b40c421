#include "update/ProgressDlg.h"

#include "platform/Services.h"
#include "platform/WindowService.h"
#include "res/resource.h"

CProgressDlg::CProgressDlg() {
    // No message loop runs during the network work that follows: unpainted,
    // the window would stay blank until its first step, or for the whole wait
    // on a server that does not answer.
    if (Create(IDD_PROGRESS))
        m_window->Redraw();
}

void CProgressDlg::OnInitDialog(DialogControls& controls) {
    UpdateData(controls, false);
}

void CProgressDlg::UpdateData(DialogControls& controls, bool fromControls) {
    const struct {
        int controlId;
        bool& flag;
    } boxes[] = {{IDC_BUILDING, m_bBuildingMenu},
                 {IDC_CLOSING, m_bClosingConnection},
                 {IDC_CONNECTING, m_bConnecting},
                 {IDC_RETRIEVING, m_bRetrievingData}};
    for (const auto& box : boxes) {
        if (fromControls)
            box.flag = controls.IsChecked(box.controlId);
        else
            controls.SetChecked(box.controlId, box.flag);
    }
}

void CProgressDlg::NextStep() {
    const int step = m_nStep++;
    if (m_window == nullptr)
        return;
    UpdateData(*m_window, true);
    const struct {
        bool& flag;
        int nextBox;
    } steps[] = {{m_bConnecting, IDC_RETRIEVING},
                 {m_bRetrievingData, IDC_CLOSING},
                 {m_bClosingConnection, IDC_BUILDING},
                 {m_bBuildingMenu, 0}};
    if (step < 4) {
        steps[step].flag = true;
        if (steps[step].nextBox != 0)
            m_window->Enable(steps[step].nextBox, true);
    }
    UpdateData(*m_window, false);
    // No message loop runs during an update, so the tick is painted here.
    m_window->Redraw();
    Use<WindowService>().Sleep(kPauseMs);
}
