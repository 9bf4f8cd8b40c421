#include "tests/fake/FakeHttp.h"

#include <algorithm>

class FakeHttpRequest : public HttpRequest {
public:
    explicit FakeHttpRequest(FakeHttp& http) : m_http(http) {}
    ~FakeHttpRequest() override { m_http.m_log.Record("CloseRequest"); }

    int StatusCode() const override { return m_http.next.status; }

    BodyRead ReadBody(std::size_t maxBytes, std::string& body, std::string& errorText) override {
        m_http.m_log.Record("ReadBody " + std::to_string(maxBytes));
        m_http.largestRead = std::max(m_http.largestRead, maxBytes);
        if (m_http.next.readFails || m_http.next.readTimesOut) {
            errorText = m_http.next.readError;
            return m_http.next.readFails ? BodyRead::Failed : BodyRead::TimedOut;
        }
        body = m_http.next.body.substr(0, maxBytes);
        return BodyRead::Complete;
    }

private:
    FakeHttp& m_http;
};

class FakeHttpSession : public HttpSession {
public:
    explicit FakeHttpSession(FakeHttp& http) : m_http(http) {}
    ~FakeHttpSession() override { m_http.m_log.Record("CloseSession"); }

    std::unique_ptr<HttpRequest> OpenUrl(const std::string& address) override {
        m_http.m_log.Record("OpenUrl " + address);
        if (m_http.next.cannotOpen)
            return nullptr;
        return std::make_unique<FakeHttpRequest>(m_http);
    }

private:
    FakeHttp& m_http;
};

std::unique_ptr<HttpSession> FakeHttp::OpenSession(const std::string& agent,
                                                   std::string& errorText) {
    m_log.Record("OpenSession " + agent);
    if (next.sessionFails) {
        errorText = next.sessionError;
        return nullptr;
    }
    return std::make_unique<FakeHttpSession>(*this);
}
