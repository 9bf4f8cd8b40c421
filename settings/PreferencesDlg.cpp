#include "settings/PreferencesDlg.h"

#include "platform/Services.h"
#include "res/resource.h"
#include "settings/Settings.h"

#include <iterator>

namespace {

// The Cancel button's identifier, the same in every dialog template.
constexpr int kCancelButton = 2;

// The radio buttons of each group in template order; a button's index in its
// group is the value it stands for.
constexpr int kIntervalButtons[] = {IDC_NEVER, IDC_DAILY, IDC_WEEKLY, IDC_MONTHLY};
constexpr int kBrowserButtons[] = {IDC_EXISTING_WINDOW, IDC_NEW_WINDOW};

// Checks exactly the button whose index is value (none when value is outside
// the group), or reads back the index of the checked one, -1 when none is.
template <std::size_t N>
void ExchangeRadioGroup(DialogControls& controls, bool bSaveAndValidate, const int (&buttons)[N],
                        int& value) {
    if (!bSaveAndValidate) {
        for (std::size_t i = 0; i < N; ++i)
            controls.SetChecked(buttons[i], static_cast<int>(i) == value);
        return;
    }
    value = -1;
    for (std::size_t i = 0; i < N; ++i)
        if (controls.IsChecked(buttons[i])) {
            value = static_cast<int>(i);
            return;
        }
}

void ExchangeCheckBox(DialogControls& controls, bool bSaveAndValidate, int controlId, int& value) {
    if (bSaveAndValidate)
        value = controls.IsChecked(controlId) ? 1 : 0;
    else
        controls.SetChecked(controlId, value != 0);
}

} // namespace

CPreferencesDlg::CPreferencesDlg(bool bFirstRun) : m_bFirstRun(bFirstRun) {}

int CPreferencesDlg::DoModal() {
    return Use<DialogService>().RunModal(IDD_PREFERENCES, *this);
}

void CPreferencesDlg::DoDataExchange(DialogControls& controls, bool bSaveAndValidate) {
    ExchangeCheckBox(controls, bSaveAndValidate, IDC_PROMPT_CONNECT, m_bPromptConnect);
    ExchangeRadioGroup(controls, bSaveAndValidate, kIntervalButtons, m_nInterval);
    ExchangeCheckBox(controls, bSaveAndValidate, IDC_PROMPT_CHECK, m_bPromptCheck);
    ExchangeRadioGroup(controls, bSaveAndValidate, kBrowserButtons, m_nBrowserWindow);
}

void CPreferencesDlg::OnInitDialog(DialogControls& controls) {
    if (m_bFirstRun)
        controls.Show(kCancelButton, false);
    m_nInterval = g_settings.m_nQueryInterval;
    m_nBrowserWindow = g_settings.m_bOpenNewBrowserWindow ? 1 : 0;
    m_bPromptCheck = g_settings.m_bPromptBeforeCheck ? 1 : 0;
    m_bPromptConnect = g_settings.m_bPromptBeforeConnect ? 1 : 0;
    DoDataExchange(controls, false);
}

void CPreferencesDlg::OnOK(DialogControls& controls) {
    DoDataExchange(controls, true);
    g_settings.SetQueryInterval(m_nInterval);
    g_settings.SetOpenNewBrowserWindow(m_nBrowserWindow == 1);
    g_settings.SetPromptBeforeCheck(m_bPromptCheck != 0);
    g_settings.SetPromptBeforeConnect(m_bPromptConnect != 0);
    controls.EndDialog(kOk);
}

// Cancel, Escape and the close box all arrive here; on the first run none of
// them may end the dialog, so the user has to confirm the settings.
void CPreferencesDlg::OnCancel(DialogControls& controls) {
    if (!m_bFirstRun)
        controls.EndDialog(kCancel);
}
