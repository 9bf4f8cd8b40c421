#include "platform/win32/Win32Window.h"

namespace {

constexpr const char* kClassName = "VellinorHiddenWindow";

} // namespace

Win32Window::~Win32Window() {
    // The program's event handler may be gone already; a window destroyed
    // with the platform tells nobody.
    m_events = nullptr;
    m_window.reset();
}

bool Win32Window::CreateHiddenWindow(const std::string& windowName, WindowEvents& events) {
    if (m_window)
        return false;
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (!m_class) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kClassName;
        m_class.reset(::RegisterClassA(&windowClass));
        if (!m_class)
            return false;
    }
    m_taskbarCreatedMessage = ::RegisterWindowMessageA("TaskbarCreated");
    m_events = &events;
    const HWND window = ::CreateWindowExA(0, MAKEINTATOM(m_class.get()), windowName.c_str(),
                                          WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this);
    if (window == nullptr) {
        m_events = nullptr;
        return false;
    }
    m_window.reset(window);
    // Without this an elevated copy of the program would not hear the
    // broadcast of a shell that runs without elevation.
    if (m_taskbarCreatedMessage != 0)
        ::ChangeWindowMessageFilterEx(window, m_taskbarCreatedMessage, MSGFLT_ALLOW, nullptr);
    return true;
}

void Win32Window::DestroyHiddenWindow() {
    m_window.reset();
}

int Win32Window::RunMessageLoop() {
    MSG message;
    for (;;) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(message.wParam);
        if (got == -1)
            return -1;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

void Win32Window::PostQuit(int exitCode) {
    ::PostQuitMessage(exitCode);
}

void Win32Window::PostNullMessage() {
    ::PostMessageA(m_window.get(), WM_NULL, 0, 0);
}

void Win32Window::SetForegroundToHiddenWindow() {
    ::SetForegroundWindow(m_window.get());
}

bool Win32Window::IsHiddenWindowEnabled() const {
    return ::IsWindowEnabled(m_window.get()) != FALSE;
}

void Win32Window::EnableHiddenWindow(bool enabled) {
    ::EnableWindow(m_window.get(), enabled ? TRUE : FALSE);
}

void Win32Window::Beep(unsigned type) {
    ::MessageBeep(type);
}

void Win32Window::Sleep(unsigned milliseconds) {
    ::Sleep(milliseconds);
}

unsigned Win32Window::DoubleClickTimeMs() const {
    return ::GetDoubleClickTime();
}

HWND Win32Window::ModalOwner() const {
    return m_window ? ::GetLastActivePopup(m_window.get()) : nullptr;
}

LRESULT CALLBACK Win32Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Window*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcA(window, message, wParam, lParam);
    return self->HandleMessage(window, message, wParam, lParam);
}

LRESULT Win32Window::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        // The window is gone however it went; nothing is left to destroy.
        if (m_window.get() == window)
            m_window.release();
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    if (m_events == nullptr)
        return ::DefWindowProcA(window, message, wParam, lParam);

    if (message == m_trayCallbackMessage && message != 0) {
        m_events->OnTrayNotify(static_cast<unsigned>(wParam), static_cast<unsigned>(lParam));
        return 0;
    }
    if (message == m_taskbarCreatedMessage && message != 0) {
        m_events->OnTaskbarCreated();
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        if (m_events->OnCommand(static_cast<int>(wParam)))
            return 0;
        break;
    case WM_DESTROY:
        m_events->OnDestroy();
        return 0;
    default:
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}
