#include "update/ModelessDlg.h"

#include "platform/Services.h"
#include "platform/WindowService.h"

CModelessDlg::~CModelessDlg() {
    if (m_window != nullptr)
        DestroyWindow();
}

bool CModelessDlg::Create(unsigned templateId) {
    WindowService& owner = Use<WindowService>();
    if (owner.IsHiddenWindowEnabled()) {
        owner.EnableHiddenWindow(false);
        m_bOwnerDisabled = true;
    }
    m_window = Use<ModelessDialogService>().Create(templateId, *this);
    if (m_window == nullptr) {
        ReenableOwner();
        return false;
    }
    return true;
}

void CModelessDlg::ReenableOwner() {
    // An owner that was disabled before is left as it was.
    if (m_bOwnerDisabled)
        Use<WindowService>().EnableHiddenWindow(true);
    m_bOwnerDisabled = false;
}

void CModelessDlg::DestroyWindow() {
    ReenableOwner();
    m_window.reset();
}
