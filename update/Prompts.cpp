#include "update/Prompts.h"

#include "platform/DialogService.h"
#include "platform/Services.h"
#include "platform/WindowService.h"
#include "res/resource.h"
#include "settings/Settings.h"
#include "update/ConnectDlg.h"
#include "update/QueryDlg.h"

namespace {
constexpr unsigned kExclamationBeep = 0x30;
}

bool PromptForQuery() {
    if (!g_settings.m_bPromptBeforeCheck)
        return true;
    WindowService& window = Use<WindowService>();
    window.SetForegroundToHiddenWindow();
    window.Beep(kExclamationBeep);
    CQueryDlg dialog;
    return Use<DialogService>().RunModal(IDD_QUERY, dialog) == DialogHandler::kOk;
}

bool PromptForConnection() {
    if (!g_settings.m_bPromptBeforeConnect)
        return true;
    CConnectDlg dialog;
    return Use<DialogService>().RunModal(IDD_CONNECT, dialog) == DialogHandler::kOk;
}
