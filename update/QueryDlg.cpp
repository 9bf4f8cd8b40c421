#include "update/QueryDlg.h"

#include "platform/Services.h"
#include "platform/WindowService.h"
#include "res/resource.h"
#include "settings/Settings.h"

namespace {
constexpr unsigned kQuestionBeep = 0x20;
}

void CQueryDlg::OnInitDialog(DialogControls& controls) {
    Use<WindowService>().Beep(kQuestionBeep);
    m_strLastQuery = g_settings.GetLastQueryText();
    controls.SetText(IDC_LAST_QUERY, m_strLastQuery);
}
