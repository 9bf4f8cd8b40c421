#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Messages.h"
#include "platform/win32/Win32ModelessDialogs.h"
#include "platform/win32/Win32Program.h"
#include "tests/e2e/helpers/WindowLookup.h"
#include "tests/win32/ServiceChecks.h"
#include "tests/win32/ServicesTestIds.h"

#include <cstdlib>
#include <thread>

// A modal loop runs until its window closes, so what looks at the window and
// answers it runs on a thread of its own meanwhile.

namespace {

// The dialog or box captioned TITLE once it opens; null after a generous wait.
HWND AwaitWindow(const char* title) {
    HWND window = nullptr;
    PollFor(30, [&] { return (window = ::FindWindowA("#32770", title)) != nullptr; });
    return window;
}

// What reaches it; like the progress window, it leaves the window open on
// OK and Cancel.
struct RecordingHandler : DialogHandler {
    void OnOK(DialogControls&) override { heard += "ok "; }
    void OnCancel(DialogControls&) override { heard += "cancel "; }

    std::string heard;
};

} // namespace

void CheckDialogs(Win32Window& window) {
    Win32Dialogs modalDialogs(window);
    DialogHandler plain;
    std::thread user(
        [] { ::PostMessageA(AwaitWindow("Services Test Dialog"), WM_KEYDOWN, VK_RETURN, 0); });
    Expect(modalDialogs.RunModal(IDD_SAMPLE, plain) == DialogHandler::kOk,
           "Enter in a dialog's edit box presses the default button, OK");
    user.join();

    Win32ModelessDialogs dialogs(window);
    Win32Program program;
    Win32Messages messages(window, program);
    // A dialog each, so the second must find the keyboard handed to it again.
    for (const auto& [key, heard] : {std::pair{VK_RETURN, "ok "}, {VK_ESCAPE, "cancel "}}) {
        RecordingHandler handler;
        std::unique_ptr<ModelessDialog> open = dialogs.Create(IDD_MODELESS, handler);
        const HWND dialog = ::FindWindowA("#32770", "Services Test Modeless");
        // The program's own loop, which asks the dialog manager about no
        // dialog, runs until the key has been taken: a quit message comes
        // after every other.
        ::PostMessageA(dialog, WM_KEYDOWN, key, 0);
        window.PostQuit(0);
        window.RunMessageLoop();
        RECT frame{}, work{};
        ::GetWindowRect(dialog, &frame);
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        const bool centred = std::abs(frame.left + frame.right - work.left - work.right) <= 2 &&
                             std::abs(frame.top + frame.bottom - work.top - work.bottom) <= 2;
        Expect(open != nullptr && ::GetWindow(dialog, GW_OWNER) == window.Handle() &&
                   handler.heard == heard && ::IsWindowVisible(dialog) && centred,
               std::string("a modeless dialog, owned, centred, stays open and hears ") + heard);

        // A box raised over it, as over the progress window: captioned with
        // the program's name, its text in its control 65535.
        std::thread reader([dialog] {
            const HWND box = AwaitWindow("vellinor-win32-services-test");
            char expected[1024] = {};
            ::LoadStringA(::GetModuleHandleA(nullptr), IDS_LONG, expected, sizeof expected);
            Expect(box != nullptr && WindowText(::GetDlgItem(box, 65535)) == expected &&
                       ::GetWindow(box, GW_OWNER) == dialog && !::IsWindowEnabled(dialog),
                   "a box over it shows a text longer than the first buffer tried, modal to it");
            // The box is the topmost dialog, whatever its caption: one under
            // another caption is closed too, and the run goes on.
            ::PostMessageA(::FindWindowA("#32770", nullptr), WM_COMMAND, IDOK, 0);
        });
        messages.ShowMessage(IDS_LONG, MessageService::kIconStop);
        reader.join();
    }
    Expect(modalDialogs.RunModal(IDD_MISSING, plain) == DialogService::kFailed &&
               dialogs.Create(IDD_MISSING, plain) == nullptr,
           "a dialog with no template fails, modal or modeless");
}
