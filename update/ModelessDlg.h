#pragma once

#include "platform/ModelessDialogService.h"

#include <memory>

// A modeless dialog that keeps the hidden main window disabled while it
// exists, the way a modal dialog keeps its owner disabled. The user cannot
// close it: Enter and Escape do nothing.
class CModelessDlg : public DialogHandler {
public:
    CModelessDlg() = default;
    CModelessDlg(const CModelessDlg&) = delete;
    CModelessDlg& operator=(const CModelessDlg&) = delete;
    ~CModelessDlg() override;

    // Disables the owner and creates the window; false (and the owner enabled
    // again) when the window cannot be created.
    bool Create(unsigned templateId);
    // Enables the owner again if this dialog disabled it.
    void ReenableOwner();
    void DestroyWindow();

    void OnOK(DialogControls&) override {}
    void OnCancel(DialogControls&) override {}

protected:
    std::unique_ptr<ModelessDialog> m_window;
    bool m_bOwnerDisabled = false;
};
