#pragma once

#include "platform/TextService.h"
#include "tests/fake/CallLog.h"

// A Western code page stand-in: code units up to 0xFF map to the byte of the
// same value, anything else to '?', as the system does for characters the
// code page lacks.
class FakeText : public TextService {
public:
    explicit FakeText(CallLog& log) : m_log(log) {}

    std::string Utf16ToAnsi(const std::u16string& text) override;

private:
    CallLog& m_log;
};
