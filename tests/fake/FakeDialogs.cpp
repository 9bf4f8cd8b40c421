#include "tests/fake/FakeDialogs.h"

#include "res/resource.h"

#include <algorithm>

bool FakeDialog::IsChecked(int controlId) const {
    return Find(controlId).checked;
}

void FakeDialog::SetChecked(int controlId, bool checked) {
    m_controls[controlId].checked = checked;
}

std::string FakeDialog::GetText(int controlId) const {
    return Find(controlId).text;
}

void FakeDialog::SetText(int controlId, const std::string& text) {
    m_controls[controlId].text = text;
}

void FakeDialog::Show(int controlId, bool visible) {
    m_controls[controlId].visible = visible;
}

void FakeDialog::Enable(int controlId, bool enabled) {
    m_controls[controlId].enabled = enabled;
}

void FakeDialog::EndDialog(int result) {
    if (m_ended)
        return;
    m_ended = true;
    m_result = result;
}

FakeControl FakeDialog::Find(int controlId) const {
    auto it = m_controls.find(controlId);
    return it == m_controls.end() ? FakeControl{} : it->second;
}

bool FakeDialog::CanUse(int controlId) const {
    const FakeControl control = Find(controlId);
    return !m_ended && control.visible && control.enabled;
}

void FakeDialog::Press(int buttonId) {
    if (!CanUse(buttonId))
        return;
    if (buttonId == kOkButton)
        m_handler.OnOK(*this);
    else if (buttonId == kCancelButton)
        m_handler.OnCancel(*this);
    else
        m_handler.OnCommand(buttonId, *this);
}

void FakeDialog::PressEnter() {
    Press(kOkButton);
}

void FakeDialog::PressEscape() {
    if (!m_ended)
        m_handler.OnCancel(*this);
}

void FakeDialog::PressCloseBox() {
    PressEscape();
}

void FakeDialog::Toggle(int checkBoxId) {
    if (CanUse(checkBoxId))
        m_controls[checkBoxId].checked = !IsChecked(checkBoxId);
}

void FakeDialog::Choose(int radioButtonId) {
    if (!CanUse(radioButtonId))
        return;
    for (const std::vector<int>& group : m_radioGroups)
        if (std::find(group.begin(), group.end(), radioButtonId) != group.end())
            for (int button : group)
                m_controls[button].checked = false;
    m_controls[radioButtonId].checked = true;
}

FakeDialogs::FakeDialogs(CallLog& log) : m_log(log) {
    radioGroups[IDD_PREFERENCES] = {{IDC_NEVER, IDC_DAILY, IDC_WEEKLY, IDC_MONTHLY},
                                    {IDC_EXISTING_WINDOW, IDC_NEW_WINDOW}};
}

int FakeDialogs::RunModal(unsigned templateId, DialogHandler& handler) {
    const std::string name = "RunModal " + std::to_string(templateId);
    m_log.Record(name);
    std::deque<DialogScript>& queue = m_scripts[templateId];
    if (queue.empty()) {
        m_log.Record(name + " -> unscripted");
        runs.push_back({templateId, kFailed, {}, {}});
        return kFailed;
    }
    const DialogScript user = std::move(queue.front());
    queue.pop_front();

    FakeDialog dialog(templateId, handler, radioGroups[templateId]);
    handler.OnInitDialog(dialog);
    Run run{templateId, kFailed, dialog.Controls(), {}};
    if (dialog.IsOpen())
        user(dialog);
    run.result = dialog.IsOpen() ? kFailed : dialog.Result();
    run.atEnd = dialog.Controls();
    runs.push_back(run);
    m_log.Record(name + " -> " + (dialog.IsOpen() ? "left open" : std::to_string(run.result)));
    return run.result;
}

void FakeDialogs::Script(unsigned templateId, DialogScript user) {
    m_scripts[templateId].push_back(std::move(user));
}

std::size_t FakeDialogs::PendingScripts() const {
    std::size_t count = 0;
    for (const auto& entry : m_scripts)
        count += entry.second.size();
    return count;
}

void FakeDialog::SetTitleFont(int controlId) { m_controls[controlId].titleFont = true; }
