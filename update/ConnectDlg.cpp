#include "update/ConnectDlg.h"

#include "res/resource.h"
#include "settings/Settings.h"

void CConnectDlg::OnOK(DialogControls& controls) {
    m_bDontAskAgain = controls.IsChecked(IDC_DONT_ASK_AGAIN);
    g_settings.SetPromptBeforeConnect(!m_bDontAskAgain);
    controls.EndDialog(kOk);
}
