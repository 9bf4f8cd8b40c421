#include "platform/win32/Win32Messages.h"

#include <windows.h>

namespace {

// A string-table entry of any length; empty when there is none.
std::string LoadResourceString(unsigned stringId) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    std::string text(256, '\0');
    for (;;) {
        const int copied =
            ::LoadStringA(instance, stringId, &text[0], static_cast<int>(text.size()));
        // A full buffer may have cut the text short.
        if (copied < static_cast<int>(text.size()) - 1) {
            text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

} // namespace

void Win32Messages::ShowMessage(unsigned stringId, unsigned icon) {
    ShowText(LoadResourceString(stringId), icon);
}

void Win32Messages::ShowText(const std::string& text, unsigned icon) {
    const HWND owner = m_window.ModalOwner();
    // Before the hidden window exists the box is modal to the whole thread.
    const UINT modality = owner != nullptr ? 0 : MB_TASKMODAL;
    ::MessageBoxA(owner, text.c_str(), m_program.ProgramName().c_str(), MB_OK | icon | modality);
}
