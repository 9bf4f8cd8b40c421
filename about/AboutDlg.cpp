#include "about/AboutDlg.h"

#include "browser/BrowserLauncher.h"
#include "res/resource.h"
#include "settings/Settings.h"

void CAboutDlg::OnInitDialog(DialogControls& controls) {
    controls.SetTitleFont(IDC_TITLE);
    m_strEmail = VELLINOR_CONTACT;
    controls.SetText(IDC_EMAIL, m_strEmail);
}

void CAboutDlg::OnCommand(int controlId, DialogControls& controls) {
    if (controlId == IDC_LINK)
        OnLinkButton(controls);
}

void CAboutDlg::OnLinkButton(DialogControls& controls) {
    OpenUrlInBrowser(g_settings.m_bOpenNewBrowserWindow, controls.GetText(IDC_LINK));
}
