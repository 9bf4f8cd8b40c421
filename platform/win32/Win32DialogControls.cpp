#include "platform/win32/Win32DialogControls.h"

namespace {

// The dialog window keeps its title font as a property until it is destroyed.
constexpr char kTitleFontProperty[] = "VellinorTitleFont";

} // namespace

void ReleaseTitleFont(HWND dialog) {
    if (HANDLE font = ::RemovePropA(dialog, kTitleFontProperty))
        ::DeleteObject(static_cast<HFONT>(font));
}

bool Win32DialogControls::IsChecked(int controlId) const {
    return ::IsDlgButtonChecked(m_dialog, controlId) == BST_CHECKED;
}

void Win32DialogControls::SetChecked(int controlId, bool checked) {
    ::CheckDlgButton(m_dialog, controlId, checked ? BST_CHECKED : BST_UNCHECKED);
}

std::string Win32DialogControls::GetText(int controlId) const {
    const int length = ::GetWindowTextLengthA(::GetDlgItem(m_dialog, controlId));
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const UINT copied = ::GetDlgItemTextA(m_dialog, controlId, &text[0], length + 1);
    text.resize(copied);
    return text;
}

void Win32DialogControls::SetText(int controlId, const std::string& text) {
    ::SetDlgItemTextA(m_dialog, controlId, text.c_str());
}

void Win32DialogControls::Show(int controlId, bool visible) {
    ::ShowWindow(::GetDlgItem(m_dialog, controlId), visible ? SW_SHOW : SW_HIDE);
}

void Win32DialogControls::Enable(int controlId, bool enabled) {
    ::EnableWindow(::GetDlgItem(m_dialog, controlId), enabled ? TRUE : FALSE);
}

void Win32DialogControls::EndDialog(int result) {
    ::EndDialog(m_dialog, result);
}

void Win32DialogControls::SetTitleFont(int controlId) {
    const HWND control = ::GetDlgItem(m_dialog, controlId);
    RECT rect{};
    ::GetWindowRect(control, &rect);
    // A positive height is the character cell, so the name fills the control
    // whatever the dialog font's size.
    const HFONT font = ::CreateFontA(rect.bottom - rect.top, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE,
                                     ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    ReleaseTitleFont(m_dialog);
    if (font != nullptr)
        ::SetPropA(m_dialog, kTitleFontProperty, font);
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}
