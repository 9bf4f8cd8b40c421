#pragma once

#include "platform/HttpService.h"
#include "tests/fake/CallLog.h"

#include <string>

// A scripted server. Each request gets the answer set in `next`.
class FakeHttp : public HttpService {
public:
    struct Answer {
        bool sessionFails = false; // the internet layer cannot start
        std::string sessionError;  // its error text
        bool cannotOpen = false;   // no connection
        int status = 200;
        std::string body;
        bool readFails = false;    // the body breaks off
        std::string readError;     // its error text
        bool readTimesOut = false; // the body stops coming before the deadline
    };

    explicit FakeHttp(CallLog& log) : m_log(log) {}

    std::unique_ptr<HttpSession> OpenSession(const std::string& agent,
                                             std::string& errorText) override;

    Answer next;
    // The largest maxBytes a body read asked for.
    std::size_t largestRead = 0;

private:
    friend class FakeHttpSession;
    friend class FakeHttpRequest;
    CallLog& m_log;
};
