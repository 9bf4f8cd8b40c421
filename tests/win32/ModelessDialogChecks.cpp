#include "platform/win32/Win32ModelessDialogs.h"
#include "platform/win32/Win32Window.h"
#include "tests/win32/DialogInput.h"
#include "tests/win32/Placement.h"
#include "tests/win32/QuietEvents.h"
#include "tests/win32/ServiceChecks.h"
#include "tests/win32/ServicesTestIds.h"

#include <memory>
#include <string>

namespace {

constexpr const char* kDialogTitle = "Services Test Modeless";

// Writes down what reaches it and, like the progress window, leaves the
// window open on OK and Cancel.
class RecordingHandler : public DialogHandler {
public:
    void OnInitDialog(DialogControls& controls) override {
        calls += "init ";
        controls.SetChecked(IDC_MODELESS_FIRST, true);
    }
    void OnOK(DialogControls&) override { calls += "ok "; }
    void OnCancel(DialogControls&) override { calls += "cancel "; }
    void OnCommand(int controlId, DialogControls&) override {
        calls += "command " + std::to_string(controlId) + " ";
    }

    std::string calls;
};

// Runs the messages that are waiting, the way the program's own loop does:
// without asking the dialog manager about any dialog.
void RunWaitingMessages() {
    const DWORD end = ::GetTickCount() + 300;
    MSG message;
    while (::GetTickCount() < end) {
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        ::Sleep(10);
    }
}

// Keys go to the control that has the focus, as the keyboard would send them.
void PostKey(HWND dialog, WPARAM key) {
    HWND target = ::GetFocus();
    if (target == nullptr || (target != dialog && !::IsChild(dialog, target)))
        target = dialog;
    ::PostMessageA(target, WM_KEYDOWN, key, 0);
    ::PostMessageA(target, WM_KEYUP, key, 0xC0000000);
}

struct InputCase {
    const char* name;
    void (*act)(HWND dialog);
    const char* calls;
};

const InputCase kInputs[] = {
    {"Enter", [](HWND d) { PostKey(d, VK_RETURN); }, "ok "},
    {"Escape", [](HWND d) { PostKey(d, VK_ESCAPE); }, "cancel "},
    {"the OK command", [](HWND d) { PostClick(d, IDOK); }, "ok "},
    {"the Cancel command", [](HWND d) { PostClick(d, IDCANCEL); }, "cancel "},
    {"a check box click", [](HWND d) { PostClick(d, IDC_MODELESS_FIRST); }, "command 1021 "},
};

// True when the dialog or one of its controls still waits to be painted.
bool AwaitsPaint(HWND dialog) {
    if (::GetUpdateRect(dialog, nullptr, FALSE))
        return true;
    for (HWND control = ::GetWindow(dialog, GW_CHILD); control != nullptr;
         control = ::GetWindow(control, GW_HWNDNEXT)) {
        if (::GetUpdateRect(control, nullptr, FALSE))
            return true;
    }
    return false;
}

void CheckCreation(CheckList& checks, Win32ModelessDialogs& dialogs, const Win32Window& window) {
    RecordingHandler handler;
    std::unique_ptr<ModelessDialog> open = dialogs.Create(IDD_MODELESS, handler);
    const HWND dialog = ::FindWindowA("#32770", kDialogTitle);
    checks.Expect(open != nullptr && dialog != nullptr, "a modeless dialog is created");
    if (open == nullptr || dialog == nullptr)
        return;
    checks.ExpectEqual("init ", handler.calls, "its handler has filled it when Create returns");
    checks.Expect(::IsWindowVisible(dialog) != FALSE, "it shows with no message loop run");
    checks.Expect(::GetWindow(dialog, GW_OWNER) == window.Handle(), "the hidden window owns it");
    checks.Expect(IsCentredOnWorkArea(dialog), "it is centred on the work area");

    checks.Expect(open->IsChecked(IDC_MODELESS_FIRST) && !open->IsChecked(IDC_MODELESS_SECOND),
                  "its controls read as the handler left them");
    const HWND second = ::GetDlgItem(dialog, IDC_MODELESS_SECOND);
    open->Enable(IDC_MODELESS_SECOND, true);
    open->SetChecked(IDC_MODELESS_SECOND, true);
    open->SetText(IDC_MODELESS_SECOND, "Changed");
    checks.Expect(::IsWindowEnabled(second) &&
                      ::IsDlgButtonChecked(dialog, IDC_MODELESS_SECOND) == BST_CHECKED,
                  "a control it disabled is enabled and ticked through the object");
    checks.ExpectEqual("Changed", open->GetText(IDC_MODELESS_SECOND), "a control's text");
    open->Show(IDC_MODELESS_SECOND, false);
    checks.Expect(!::IsWindowVisible(second), "a control is hidden through the object");

    checks.Expect(AwaitsPaint(dialog), "before Redraw the new window still waits for its paint");
    open->Redraw();
    checks.Expect(!AwaitsPaint(dialog), "Redraw paints the window and its controls at once");

    open.reset();
    checks.Expect(!::IsWindow(dialog), "the window goes with the object");
}

void CheckInput(CheckList& checks, Win32ModelessDialogs& dialogs) {
    for (const InputCase& input : kInputs) {
        const std::string by = std::string(" (") + input.name + ")";
        RecordingHandler handler;
        const std::unique_ptr<ModelessDialog> open = dialogs.Create(IDD_MODELESS, handler);
        const HWND dialog = ::FindWindowA("#32770", kDialogTitle);
        if (open == nullptr || dialog == nullptr) {
            checks.Expect(false, "a modeless dialog is created" + by);
            continue;
        }
        RunWaitingMessages();
        handler.calls.clear();
        input.act(dialog);
        RunWaitingMessages();
        checks.ExpectEqual(input.calls, handler.calls, "the handler hears it" + by);
        checks.Expect(::IsWindowVisible(dialog) != FALSE, "the window stays open" + by);
    }
}

// Closing one of two dialogs leaves the keyboard to the other.
void CheckTwoDialogs(CheckList& checks, Win32ModelessDialogs& dialogs) {
    RecordingHandler firstHandler;
    RecordingHandler secondHandler;
    std::unique_ptr<ModelessDialog> first = dialogs.Create(IDD_MODELESS, firstHandler);
    const HWND firstWindow = ::FindWindowA("#32770", kDialogTitle);
    const std::unique_ptr<ModelessDialog> second = dialogs.Create(IDD_MODELESS, secondHandler);
    HWND secondWindow = ::FindWindowA("#32770", kDialogTitle);
    if (secondWindow == firstWindow)
        secondWindow = ::FindWindowExA(nullptr, firstWindow, "#32770", kDialogTitle);
    first.reset();
    RunWaitingMessages();
    secondHandler.calls.clear();
    ::SetActiveWindow(secondWindow);
    PostKey(secondWindow, VK_ESCAPE);
    RunWaitingMessages();
    checks.ExpectEqual("cancel ", secondHandler.calls,
                       "with another modeless dialog closed, Escape still reaches this one");
}

} // namespace

void CheckModelessDialogs(CheckList& checks) {
    Win32Window window;
    QuietEvents events;
    window.CreateHiddenWindow("Vellinor1", events);
    Win32ModelessDialogs dialogs(window);

    CheckCreation(checks, dialogs, window);
    CheckInput(checks, dialogs);
    CheckTwoDialogs(checks, dialogs);

    RecordingHandler unused;
    checks.Expect(dialogs.Create(IDD_MISSING, unused) == nullptr && unused.calls.empty(),
                  "a missing template gives no dialog and calls no handler");
    window.DestroyHiddenWindow();
}
