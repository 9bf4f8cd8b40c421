#pragma once

#include <string>

// Opaque handle of the hidden window.
struct WindowHandleTag;
using WindowHandle = WindowHandleTag*;

// What the hidden main window receives. The platform calls these on the GUI
// thread from whichever message loop is running.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;

    // The tray icon's callback message: the icon's identifier and the mouse
    // message (0x202 left up, 0x203 left double click, 0x205 right up, ...).
    virtual void OnTrayNotify(unsigned iconId, unsigned mouseMessage) = 0;
    // A menu command; true when it was handled.
    virtual bool OnCommand(int commandId) = 0;
    // The window is being destroyed.
    virtual void OnDestroy() = 0;
    // The notification area was recreated (the shell restarted).
    virtual void OnTaskbarCreated() = 0;
};

// The hidden main window, the message loop and the small window services the
// program uses around them.
class WindowService {
public:
    virtual ~WindowService() = default;

    // Creates the never-shown main window with that window name.
    virtual bool CreateHiddenWindow(const std::string& windowName, WindowEvents& events) = 0;
    virtual void DestroyHiddenWindow() = 0;
    // Null before the window is created and once it is destroyed.
    virtual WindowHandle HiddenWindowHandle() const = 0;
    // Runs the message loop until the quit message; returns its exit code.
    virtual int RunMessageLoop() = 0;
    virtual void PostQuit(int exitCode) = 0;
    // Posts WM_NULL to the hidden window, so a tracked pop-up menu closes when
    // the user clicks elsewhere.
    virtual void PostNullMessage() = 0;
    virtual void SetForegroundToHiddenWindow() = 0;

    virtual bool IsHiddenWindowEnabled() const = 0;
    virtual void EnableHiddenWindow(bool enabled) = 0;

    // MessageBeep with 0x20 (question) or 0x30 (exclamation).
    virtual void Beep(unsigned type) = 0;
    virtual void Sleep(unsigned milliseconds) = 0;
    // The longest time between the clicks of a double click, as the user set it.
    virtual unsigned DoubleClickTimeMs() const = 0;
};
