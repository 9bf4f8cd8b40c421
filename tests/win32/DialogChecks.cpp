#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Timers.h"
#include "platform/win32/Win32Window.h"
#include "tests/win32/DialogInput.h"
#include "tests/win32/Placement.h"
#include "tests/win32/QuietEvents.h"
#include "tests/win32/ServiceChecks.h"
#include "tests/win32/ServicesTestIds.h"

#include <string>

namespace {

constexpr const char* kDialogTitle = "Services Test Dialog";

// Fills the controls when the dialog opens, changes them on "Other" and
// reads them back on OK.
class SampleHandler : public DialogHandler {
public:
    void OnInitDialog(DialogControls& controls) override {
        calls += "init ";
        controls.SetText(IDC_SAMPLE_EDIT, "Typed here");
        controls.SetChecked(IDC_SAMPLE_CHECK, true);
    }
    void OnOK(DialogControls& controls) override {
        calls += "ok ";
        textAtOk = controls.GetText(IDC_SAMPLE_EDIT);
        checkedAtOk = controls.IsChecked(IDC_SAMPLE_CHECK);
        DialogHandler::OnOK(controls);
    }
    void OnCancel(DialogControls& controls) override {
        calls += "cancel ";
        DialogHandler::OnCancel(controls);
    }
    void OnCommand(int controlId, DialogControls& controls) override {
        calls += "command " + std::to_string(controlId) + " ";
        controls.SetText(IDC_SAMPLE_EDIT, "Changed");
        controls.SetChecked(IDC_SAMPLE_CHECK, false);
    }

    std::string calls;
    std::string textAtOk;
    bool checkedAtOk = false;
};

void PostKey(HWND dialog, WPARAM key) {
    ::PostMessageA(dialog, WM_KEYDOWN, key, 0);
}

struct DialogCase {
    const char* name;
    void (*act)(HWND dialog);
    int result;
    const char* calls;
};

const DialogCase kCases[] = {
    {"the OK button", [](HWND d) { PostClick(d, IDOK); }, DialogHandler::kOk, "init ok "},
    {"Enter", [](HWND d) { PostKey(d, VK_RETURN); }, DialogHandler::kOk, "init ok "},
    {"the Cancel button", [](HWND d) { PostClick(d, IDCANCEL); }, DialogHandler::kCancel,
     "init cancel "},
    {"Escape", [](HWND d) { PostKey(d, VK_ESCAPE); }, DialogHandler::kCancel, "init cancel "},
    {"the close box", [](HWND d) { ::PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); },
     DialogHandler::kCancel, "init cancel "},
    {"another button, then OK",
     [](HWND d) {
         PostClick(d, IDC_SAMPLE_OTHER);
         PostClick(d, IDOK);
     },
     DialogHandler::kOk, "init command 1013 ok "},
};

// Looks at the open dialog from inside its loop, then acts on it once.
class DialogDriver : public TimerSink {
public:
    DialogDriver(const DialogCase& test, const WindowService& window)
        : m_case(test), m_window(window) {}

    void OnTimer(unsigned) override {
        const HWND dialog = ::FindWindowA("#32770", kDialogTitle);
        if (dialog == nullptr || acted)
            return;
        acted = true;
        ownerDisabled = !m_window.IsHiddenWindowEnabled();
        owner = ::GetWindow(dialog, GW_OWNER);
        centred = IsCentredOnWorkArea(dialog);
        m_case.act(dialog);
    }

    bool acted = false;
    bool ownerDisabled = false;
    HWND owner = nullptr;
    bool centred = false;

private:
    const DialogCase& m_case;
    const WindowService& m_window;
};

} // namespace

void CheckModalDialogs(CheckList& checks) {
    Win32Window window;
    QuietEvents events;
    window.CreateHiddenWindow("Vellinor1", events);
    Win32Dialogs dialogs(window);
    Win32Timers timers;

    for (const DialogCase& test : kCases) {
        const std::string by = std::string(" (") + test.name + ")";
        SampleHandler handler;
        DialogDriver driver(test, window);
        timers.SetSink(&driver);
        const unsigned timer = timers.StartTimer(1, 50);
        const int result = dialogs.RunModal(IDD_SAMPLE, handler);
        timers.StopTimer(timer);

        checks.Expect(driver.acted, "timers tick inside the dialog's loop" + by);
        checks.Expect(result == test.result, "the dialog's result" + by);
        checks.ExpectEqual(test.calls, handler.calls, "the handler's calls" + by);
        checks.Expect(driver.ownerDisabled && window.IsHiddenWindowEnabled(),
                      "the hidden window is disabled only while the dialog is open" + by);
        checks.Expect(driver.owner == window.Handle(), "the hidden window owns the dialog" + by);
        checks.Expect(driver.centred, "the dialog is centred on the work area" + by);
        if (test.result == DialogHandler::kOk) {
            const bool changed = std::string(test.calls).find("command") != std::string::npos;
            checks.ExpectEqual(changed ? "Changed" : "Typed here", handler.textAtOk,
                               "text written by the handler is read back" + by);
            checks.Expect(handler.checkedAtOk == !changed,
                          "the check box reads as the handler left it" + by);
        }
    }
    timers.SetSink(nullptr);

    SampleHandler unused;
    checks.Expect(dialogs.RunModal(IDD_MISSING, unused) == DialogService::kFailed &&
                      unused.calls.empty(),
                  "a missing template fails without calling the handler");
    window.DestroyHiddenWindow();
}
