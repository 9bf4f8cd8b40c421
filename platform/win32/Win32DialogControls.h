#pragma once

#include "platform/DialogService.h"

#include <windows.h>

// Deletes the title font a dialog was given, if any; for its destruction.
void ReleaseTitleFont(HWND dialog);

// The controls of one open dialog window.
class Win32DialogControls : public DialogControls {
public:
    explicit Win32DialogControls(HWND dialog) : m_dialog(dialog) {}

    bool IsChecked(int controlId) const override;
    void SetChecked(int controlId, bool checked) override;
    std::string GetText(int controlId) const override;
    void SetText(int controlId, const std::string& text) override;
    void Show(int controlId, bool visible) override;
    void Enable(int controlId, bool enabled) override;
    void SetTitleFont(int controlId) override;
    void EndDialog(int result) override;

private:
    HWND m_dialog;
};
