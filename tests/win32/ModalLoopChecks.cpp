#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Messages.h"
#include "platform/win32/Win32Program.h"
#include "tests/win32/ServiceChecks.h"
#include "tests/win32/ServicesTestIds.h"

#include <thread>

// A modal loop runs until its window closes, so the checks look and click
// from a thread of their own while it runs.

namespace {

// The program's name, the caption of its boxes.
constexpr const char* kCaption = "vellinor-win32-services-test";

// The dialog or box captioned TITLE once it opens; null after a generous wait.
HWND AwaitWindow(const char* title) {
    HWND window = nullptr;
    for (int tries = 0; tries < 600 && window == nullptr; ++tries, ::Sleep(50))
        window = ::FindWindowA("#32770", title);
    return window;
}

// Once the program's box opens: its whole text, and an owner it keeps
// disabled. Then closes it with OK and waits for its loop to end.
void CheckBox(unsigned stringId, HWND owner, const std::string& what) {
    const HWND box = AwaitWindow(kCaption);
    char shown[1024] = {};
    char expected[1024] = {};
    // A message box's text is in its static control 65535.
    ::GetDlgItemTextA(box, 65535, shown, sizeof shown);
    ::LoadStringA(::GetModuleHandleA(nullptr), stringId, expected, sizeof expected);
    Expect(box != nullptr && std::string(shown) == expected &&
               ::GetWindow(box, GW_OWNER) == owner && !::IsWindowEnabled(owner),
           what);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    for (int tries = 0; tries < 600 && ::IsWindow(box); ++tries)
        ::Sleep(50);
}

// Raises a box from inside the dialog's loop when a button is clicked.
class BoxOnClick : public DialogHandler {
public:
    explicit BoxOnClick(MessageService& messages) : m_messages(messages) {}
    void OnCommand(int, DialogControls&) override {
        m_messages.ShowMessage(IDS_SHORT, MessageService::kIconInformation);
    }

private:
    MessageService& m_messages;
};

} // namespace

void CheckModalLoops(const Win32Window& window) {
    Win32Program program;
    Win32Messages messages(window, program);
    std::thread boxReader(CheckBox, IDS_LONG, window.Handle(),
                          "a text longer than the first buffer tried shows whole, captioned with "
                          "the program's name, modal to the hidden window");
    messages.ShowMessage(IDS_LONG, MessageService::kIconStop);
    boxReader.join();

    Win32Dialogs dialogs(window);
    BoxOnClick handler(messages);
    std::thread dialogUser([] {
        const HWND dialog = AwaitWindow("Services Test Dialog");
        ::PostMessageA(dialog, WM_COMMAND, IDC_SAMPLE_OTHER, 0);
        CheckBox(IDS_SHORT, dialog, "a box raised while a dialog is open is modal to the dialog");
        ::PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
    });
    Expect(dialogs.RunModal(IDD_SAMPLE, handler) == DialogHandler::kOk,
           "Enter in the dialog's edit box presses the default button, OK");
    dialogUser.join();
    Expect(dialogs.RunModal(IDD_MISSING, handler) == DialogService::kFailed,
           "a dialog with no template fails");
}
