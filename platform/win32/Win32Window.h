#pragma once

#include "platform/WindowService.h"
#include "platform/win32/UniqueHandles.h"

#include <windows.h>

// The hidden main window over a top-level pop-up window that is never shown.
// It is not a message-only window: those hear no broadcasts, and the shell
// announces a recreated notification area by broadcast.
class Win32Window : public WindowService {
public:
    Win32Window() = default;
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    bool CreateHiddenWindow(const std::string& windowName, WindowEvents& events) override;
    void DestroyHiddenWindow() override;
    WindowHandle HiddenWindowHandle() const override {
        return reinterpret_cast<WindowHandle>(m_window.get());
    }
    int RunMessageLoop() override;
    void PostQuit(int exitCode) override;
    void PostNullMessage() override;
    void SetForegroundToHiddenWindow() override;
    bool IsHiddenWindowEnabled() const override;
    void EnableHiddenWindow(bool enabled) override;
    void Beep(unsigned type) override;
    void Sleep(unsigned milliseconds) override;
    unsigned DoubleClickTimeMs() const override;

    // Null before the window is created and once it is destroyed.
    HWND Handle() const { return m_window.get(); }
    // The owner for a modal dialog or message box: the hidden window's last
    // active pop-up, so a box raised while a dialog is open stays above it.
    HWND ModalOwner() const;
    // The message the tray icon's notifications arrive with.
    void SetTrayCallbackMessage(UINT message) { m_trayCallbackMessage = message; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WindowEvents* m_events = nullptr;
    UINT m_taskbarCreatedMessage = 0;
    UINT m_trayCallbackMessage = 0;
    // Declared before the window, so the class outlives it.
    UniqueWindowClass m_class;
    UniqueWindow m_window;
};
