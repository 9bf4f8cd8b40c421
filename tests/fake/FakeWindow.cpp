#include "tests/fake/FakeWindow.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>

bool FakeWindow::CreateHiddenWindow(const std::string& windowName, WindowEvents& events) {
    const bool created = createSucceeds && !m_exists;
    m_log.Record("CreateHiddenWindow " + windowName + (created ? " -> 1" : " -> 0"));
    if (!created)
        return false;
    m_exists = true;
    ++m_windowsCreated;
    m_enabled = true;
    m_windowName = windowName;
    m_events = &events;
    return true;
}

void FakeWindow::DestroyHiddenWindow() {
    m_log.Record("DestroyHiddenWindow");
    if (!m_exists)
        return;
    m_events->OnDestroy();
    m_exists = false;
    m_events = nullptr;
}

WindowHandle FakeWindow::HiddenWindowHandle() const {
    return m_exists ? reinterpret_cast<WindowHandle>(static_cast<std::uintptr_t>(m_windowsCreated))
                    : nullptr;
}

int FakeWindow::RunMessageLoop() {
    m_log.Record("RunMessageLoop");
    if (whileLooping)
        whileLooping();
    if (!m_quitPending)
        throw std::logic_error("the message loop would never end: no quit message was posted");
    m_quitPending = false;
    return *m_quitCode;
}

void FakeWindow::PostQuit(int exitCode) {
    m_log.Record("PostQuit " + std::to_string(exitCode));
    m_quitCode = exitCode;
    m_quitPending = true;
}

void FakeWindow::PostNullMessage() {
    m_log.Record("PostNullMessage");
    ++nullMessages;
}

void FakeWindow::SetForegroundToHiddenWindow() {
    m_log.Record("SetForegroundToHiddenWindow");
    ++foregroundRequests;
}

void FakeWindow::EnableHiddenWindow(bool enabled) {
    m_log.Record(enabled ? "EnableHiddenWindow 1" : "EnableHiddenWindow 0");
    m_enabled = enabled;
}

void FakeWindow::Beep(unsigned type) {
    char line[24];
    std::snprintf(line, sizeof line, "Beep 0x%x", type);
    m_log.Record(line);
    beeps.push_back(type);
}

void FakeWindow::Sleep(unsigned milliseconds) {
    m_log.Record("Sleep " + std::to_string(milliseconds));
    sleeps.push_back(milliseconds);
}

void FakeWindow::DeliverTrayNotify(unsigned iconId, unsigned mouseMessage) {
    Receiver().OnTrayNotify(iconId, mouseMessage);
}

bool FakeWindow::DeliverCommand(int commandId) {
    return Receiver().OnCommand(commandId);
}

void FakeWindow::DeliverTaskbarCreated() {
    Receiver().OnTaskbarCreated();
}

WindowEvents& FakeWindow::Receiver() {
    if (!m_exists)
        throw std::logic_error("no hidden window to receive the message");
    return *m_events;
}
