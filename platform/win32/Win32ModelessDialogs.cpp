#include "platform/win32/Win32ModelessDialogs.h"

#include "platform/win32/DialogKeyboard.h"
#include "platform/win32/HandlerDialogProc.h"
#include "platform/win32/UniqueHandles.h"
#include "platform/win32/Win32DialogControls.h"

namespace {

// One open modeless dialog window; it goes with this object.
class Win32ModelessDialog : public ModelessDialog {
public:
    explicit Win32ModelessDialog(HWND dialog)
        : m_window(dialog), m_keyboard(dialog), m_controls(dialog) {}

    bool IsChecked(int controlId) const override { return m_controls.IsChecked(controlId); }
    void SetChecked(int controlId, bool checked) override {
        m_controls.SetChecked(controlId, checked);
    }
    std::string GetText(int controlId) const override { return m_controls.GetText(controlId); }
    void SetText(int controlId, const std::string& text) override {
        m_controls.SetText(controlId, text);
    }
    void Show(int controlId, bool visible) override { m_controls.Show(controlId, visible); }
    void Enable(int controlId, bool enabled) override { m_controls.Enable(controlId, enabled); }
    void SetTitleFont(int controlId) override { m_controls.SetTitleFont(controlId); }
    void EndDialog(int result) override { m_controls.EndDialog(result); }

    void Redraw() override {
        ::RedrawWindow(m_window.get(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
        // Wine hands what a thread painted to the screen when the thread next
        // waits for messages, and the work this window is shown for runs no
        // loop. A wait that wakes for no message returns at once and
        // dispatches nothing.
        ::MsgWaitForMultipleObjectsEx(0, nullptr, 0, 0, 0);
    }

private:
    // Declared first, so the keyboard is given back before the window goes.
    UniqueWindow m_window;
    DialogKeyboard m_keyboard;
    Win32DialogControls m_controls;
};

} // namespace

std::unique_ptr<ModelessDialog> Win32ModelessDialogs::Create(unsigned templateId,
                                                             DialogHandler& handler) {
    const HWND dialog = ::CreateDialogParamA(::GetModuleHandleA(nullptr),
                                             MAKEINTRESOURCEA(templateId), m_window.Handle(),
                                             HandlerDialogProc, reinterpret_cast<LPARAM>(&handler));
    if (dialog == nullptr)
        return nullptr;
    return std::make_unique<Win32ModelessDialog>(dialog);
}
