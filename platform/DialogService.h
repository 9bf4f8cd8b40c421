#pragma once

#include <string>

// The controls of an open dialog, as the program's dialog code sees them.
// Identifiers are those of the dialog's template.
class DialogControls {
public:
    virtual ~DialogControls() = default;

    virtual bool IsChecked(int controlId) const = 0;
    virtual void SetChecked(int controlId, bool checked) = 0;
    virtual std::string GetText(int controlId) const = 0;
    virtual void SetText(int controlId, const std::string& text) = 0;
    virtual void Show(int controlId, bool visible) = 0;
    virtual void Enable(int controlId, bool enabled) = 0;
    // Shows a static text in bold italic Arial as tall as the control. The
    // font belongs to the dialog and goes with it.
    virtual void SetTitleFont(int controlId) = 0;
    // Ends a modal dialog's loop; RunModal returns result.
    virtual void EndDialog(int result) = 0;
};

// What a dialog does. The platform calls it from the dialog's own loop: the
// OK button and Enter arrive at OnOK; the Cancel button, Escape and the close
// box at OnCancel; every other button click at OnCommand.
class DialogHandler {
public:
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    virtual ~DialogHandler() = default;

    virtual void OnInitDialog(DialogControls&) {}
    virtual void OnOK(DialogControls& controls) { controls.EndDialog(kOk); }
    virtual void OnCancel(DialogControls& controls) { controls.EndDialog(kCancel); }
    virtual void OnCommand(int, DialogControls&) {}
};

// Dialogs made from the numbered templates of the program's resources. A modal
// dialog has the hidden main window as its owner, disables it while open and is
// centred on the screen's work area.
class DialogService {
public:
    static constexpr int kFailed = -1;

    virtual ~DialogService() = default;

    // Shows the dialog and runs its loop until the handler ends it; returns
    // the result given to EndDialog, or kFailed when it could not be shown.
    virtual int RunModal(unsigned templateId, DialogHandler& handler) = 0;
};
