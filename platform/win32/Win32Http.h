#pragma once

#include "platform/HttpService.h"

// HTTP GET over WinINet. Every request ends by its deadline, counted from the
// moment its address is opened to the end of its body; tests give a shorter
// one than the program's.
class Win32Http : public HttpService {
public:
    explicit Win32Http(unsigned deadlineMs = kDeadlineMs) : m_deadlineMs(deadlineMs) {}

    std::unique_ptr<HttpSession> OpenSession(const std::string& agent,
                                             std::string& errorText) override;

private:
    unsigned m_deadlineMs;
};
