#pragma once

#include "platform/MessageService.h"
#include "platform/ProgramService.h"
#include "platform/win32/Win32Window.h"

// Message boxes owned by the hidden window (or the pop-up it last activated),
// so they are modal to the program; captioned with the program's name.
class Win32Messages : public MessageService {
public:
    Win32Messages(const Win32Window& window, ProgramService& program)
        : m_window(window), m_program(program) {}

    void ShowMessage(unsigned stringId, unsigned icon) override;
    void ShowText(const std::string& text, unsigned icon) override;

private:
    const Win32Window& m_window;
    ProgramService& m_program;
};
