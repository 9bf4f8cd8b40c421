#pragma once

#include "platform/DialogService.h"
#include "tests/fake/CallLog.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct FakeControl {
    bool checked = false;
    std::string text;
    bool visible = true;
    bool enabled = true;
    bool titleFont = false;
};

using FakeControlStates = std::map<int, FakeControl>;

// One open modal dialog: the state of its controls, which the program sets and
// reads through DialogControls, and what a user can do to it. Controls exist as
// soon as they are named, clear, visible and enabled.
class FakeDialog : public DialogControls {
public:
    static constexpr int kOkButton = 1;
    static constexpr int kCancelButton = 2;

    FakeDialog(unsigned templateId, DialogHandler& handler,
               const std::vector<std::vector<int>>& radioGroups)
        : m_templateId(templateId), m_handler(handler), m_radioGroups(radioGroups) {}

    bool IsChecked(int controlId) const override;
    void SetChecked(int controlId, bool checked) override;
    std::string GetText(int controlId) const override;
    void SetText(int controlId, const std::string& text) override;
    void Show(int controlId, bool visible) override;
    void Enable(int controlId, bool enabled) override;
    void SetTitleFont(int controlId) override;
    void EndDialog(int result) override;

    // A click on a push button: OK goes to OnOK, Cancel to OnCancel, any
    // other to OnCommand. A hidden or disabled button cannot be clicked, and
    // nothing can once the dialog has ended.
    void Press(int buttonId);
    void PressOk() { Press(kOkButton); }
    void PressCancel() { Press(kCancelButton); }
    // Enter presses the default button; Escape and the close box cancel, even
    // when the Cancel button is hidden.
    void PressEnter();
    void PressEscape();
    void PressCloseBox();
    // A click on a check box flips it.
    void Toggle(int checkBoxId);
    // A click on a radio button checks it and clears the rest of its group.
    void Choose(int radioButtonId);

    bool IsVisible(int controlId) const { return Find(controlId).visible; }
    bool IsEnabled(int controlId) const { return Find(controlId).enabled; }
    unsigned TemplateId() const { return m_templateId; }
    bool IsOpen() const { return !m_ended; }
    // What EndDialog was given; meaningful once the dialog has ended.
    int Result() const { return m_result; }
    const FakeControlStates& Controls() const { return m_controls; }

private:
    FakeControl Find(int controlId) const;
    bool CanUse(int controlId) const;

    unsigned m_templateId;
    DialogHandler& m_handler;
    const std::vector<std::vector<int>>& m_radioGroups;
    FakeControlStates m_controls;
    bool m_ended = false;
    int m_result = 0;
};

// The user of a scripted dialog: called once the dialog has initialised, it
// looks at the controls, changes them and ends the dialog as a user would.
using DialogScript = std::function<void(FakeDialog&)>;

// Modal dialogs answered from a script. Each RunModal takes the next script
// queued for its template; without one it fails at once (kFailed). A script
// that returns with the dialog still open is a fault of the test: RunModal
// then returns kFailed too. Logs "RunModal 133" and "RunModal 133 -> 1".
class FakeDialogs : public DialogService {
public:
    struct Run {
        unsigned templateId;
        int result;
        FakeControlStates afterInit; // as OnInitDialog left them
        FakeControlStates atEnd;     // as they were when the dialog ended
    };

    explicit FakeDialogs(CallLog& log);

    int RunModal(unsigned templateId, DialogHandler& handler) override;

    void Script(unsigned templateId, DialogScript user);
    // Scripts not used yet, over all templates.
    std::size_t PendingScripts() const;

    // Every RunModal call, scripted or not, in order.
    std::vector<Run> runs;
    // The radio groups of each template, buttons in template order, so that
    // Choose clears the others as an automatic radio button does.
    std::map<unsigned, std::vector<std::vector<int>>> radioGroups;

private:
    CallLog& m_log;
    std::map<unsigned, std::deque<DialogScript>> m_scripts;
};
