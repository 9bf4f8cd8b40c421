#include "platform/win32/Win32Tray.h"
#include "platform/win32/Win32Window.h"
#include "tests/win32/ServiceChecks.h"
#include "tests/win32/ServicesTestIds.h"

#include <string>

namespace {

constexpr int kExitCommand = 2004;
constexpr int kExitCode = 7;

// Writes down what reaches the hidden window; the exit command ends the loop
// the way the program does, by destroying the window.
class RecordingEvents : public WindowEvents {
public:
    explicit RecordingEvents(WindowService& window) : m_window(window) {}

    void OnTrayNotify(unsigned iconId, unsigned mouseMessage) override {
        seen += "tray " + std::to_string(iconId) + " " + std::to_string(mouseMessage) + "\n";
    }
    bool OnCommand(int commandId) override {
        seen += "command " + std::to_string(commandId) + "\n";
        if (commandId == kExitCommand)
            m_window.DestroyHiddenWindow();
        return true;
    }
    void OnDestroy() override {
        seen += "destroy\n";
        m_window.PostQuit(kExitCode);
    }
    void OnTaskbarCreated() override { seen += "taskbar created\n"; }

    std::string seen;

private:
    WindowService& m_window;
};

} // namespace

void CheckHiddenWindow(CheckList& checks) {
    Win32Window window;
    RecordingEvents events(window);
    checks.Expect(window.CreateHiddenWindow("Vellinor1", events), "the hidden window is created");
    const HWND hidden = window.Handle();
    checks.Expect(::FindWindowA(nullptr, "Vellinor1") == hidden, "it is found by its name");
    checks.Expect(!::IsWindowVisible(hidden), "it is not visible");
    checks.Expect(!window.CreateHiddenWindow("Vellinor2", events), "a second one is refused");
    window.EnableHiddenWindow(false);
    checks.Expect(!window.IsHiddenWindowEnabled(), "it can be disabled");
    window.EnableHiddenWindow(true);
    checks.Expect(window.IsHiddenWindowEnabled(), "and enabled again");

    Win32Tray tray(window);
    TrayIconRecord record;
    record.iconId = 10;
    record.flags = TrayIconRecord::kMessage | TrayIconRecord::kIcon | TrayIconRecord::kTip;
    record.callbackMessage = WM_USER;
    record.icon = tray.LoadIcon(IDI_SAMPLE);
    record.tip = "Vellinor";
    checks.Expect(record.icon != nullptr, "an icon loads from the resources");
    checks.Expect(tray.LoadIcon(IDI_SAMPLE) == record.icon, "a second load gives the same icon");
    checks.Expect(tray.LoadIcon(IDD_MISSING) == nullptr, "a missing icon gives none");
    // With or without a notification area here, the record tells the window
    // which message carries the icon's notifications.
    tray.AddIcon(record);
    tray.DeleteIcon(record);

    ::PostMessageA(hidden, WM_USER, 10, WM_RBUTTONUP);
    ::PostMessageA(hidden, WM_COMMAND, 1001, 0);
    ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ::PostMessageA(hidden, WM_COMMAND, kExitCommand, 0);
    const int exitCode = window.RunMessageLoop();
    checks.ExpectEqual("tray 10 517\ncommand 1001\ntaskbar created\ncommand 2004\ndestroy\n",
                       events.seen, "notifications, commands and the broadcast arrive in order");
    checks.Expect(exitCode == kExitCode, "the loop ends with the quit message's exit code");
    checks.Expect(window.Handle() == nullptr && ::FindWindowA(nullptr, "Vellinor1") == nullptr,
                  "the window is gone");
}
