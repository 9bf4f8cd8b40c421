#pragma once

#include "platform/WindowService.h"
#include "tests/fake/CallLog.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The hidden window and its message loop. Tests deliver what the real window
// would receive (tray notifications, commands, the notification area's
// rebirth) to the events the program registered.
class FakeWindow : public WindowService {
public:
    explicit FakeWindow(CallLog& log) : m_log(log) {}

    bool CreateHiddenWindow(const std::string& windowName, WindowEvents& events) override;
    // Tells the program's events OnDestroy, as the real window's destruction does.
    void DestroyHiddenWindow() override;
    // Every window created gets a handle of its own.
    WindowHandle HiddenWindowHandle() const override;
    // Runs whileLooping, then ends with the exit code of the quit message
    // posted so far. Throws std::logic_error when none was posted: the real
    // loop would never end.
    int RunMessageLoop() override;
    void PostQuit(int exitCode) override;
    void PostNullMessage() override;
    void SetForegroundToHiddenWindow() override;
    bool IsHiddenWindowEnabled() const override { return m_enabled; }
    void EnableHiddenWindow(bool enabled) override;
    void Beep(unsigned type) override;
    // Returns at once.
    void Sleep(unsigned milliseconds) override;
    unsigned DoubleClickTimeMs() const override { return doubleClickTimeMs; }

    // Messages to the hidden window. They throw std::logic_error when there
    // is no window to receive them.
    void DeliverTrayNotify(unsigned iconId, unsigned mouseMessage);
    bool DeliverCommand(int commandId);
    void DeliverTaskbarCreated();

    bool Exists() const { return m_exists; }
    const std::string& WindowName() const { return m_windowName; }
    // The exit code of the last quit message posted, if any.
    std::optional<int> QuitCode() const { return m_quitCode; }

    // What CreateHiddenWindow answers.
    bool createSucceeds = true;
    // What DoubleClickTimeMs answers.
    unsigned doubleClickTimeMs = 500;
    // Stands in for the user while the message loop runs.
    std::function<void()> whileLooping;

    int foregroundRequests = 0;
    int nullMessages = 0;
    std::vector<unsigned> beeps;
    std::vector<unsigned> sleeps;

private:
    WindowEvents& Receiver();

    CallLog& m_log;
    WindowEvents* m_events = nullptr;
    bool m_exists = false;
    unsigned m_windowsCreated = 0;
    bool m_enabled = true;
    std::string m_windowName;
    std::optional<int> m_quitCode;
    bool m_quitPending = false;
};
