#include "platform/win32/Win32ModelessDialogs.h"
#include "tests/win32/ServiceChecks.h"
#include "tests/win32/ServicesTestIds.h"

namespace {

// What reaches it; like the progress window, it leaves the window open on
// OK and Cancel.
class RecordingHandler : public DialogHandler {
public:
    void OnInitDialog(DialogControls&) override { heard += "init "; }
    void OnOK(DialogControls&) override { heard += "ok "; }
    void OnCancel(DialogControls&) override { heard += "cancel "; }

    std::string heard;
};

} // namespace

void CheckModelessDialogs(const Win32Window& window) {
    Win32ModelessDialogs dialogs(window);
    // A dialog each, so the second must find the keyboard handed to it again.
    for (const auto& [key, heard] : {std::pair{VK_RETURN, "ok "}, {VK_ESCAPE, "cancel "}}) {
        RecordingHandler handler;
        std::unique_ptr<ModelessDialog> open = dialogs.Create(IDD_MODELESS, handler);
        const HWND dialog = ::FindWindowA("#32770", "Services Test Modeless");
        Expect(open != nullptr && handler.heard == "init " &&
                   ::GetWindow(dialog, GW_OWNER) == window.Handle(),
               "a modeless dialog is filled by its handler and owned by the hidden window");
        handler.heard.clear();
        ::PostMessageA(dialog, WM_KEYDOWN, key, 0);
        // The program's own loop, which asks the dialog manager about no dialog.
        MSG message;
        for (int tries = 0; tries < 300 && handler.heard.empty(); ++tries) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&message);
        }
        Expect(handler.heard == heard && ::IsWindowVisible(dialog),
               "key " + std::to_string(key) + " reaches its handler; the window stays open");
        open.reset();
        Expect(!::IsWindow(dialog), "the window goes with its object");
    }
    RecordingHandler unused;
    Expect(dialogs.Create(IDD_MISSING, unused) == nullptr && unused.heard.empty(),
           "a missing template gives no modeless dialog and calls no handler");
}
