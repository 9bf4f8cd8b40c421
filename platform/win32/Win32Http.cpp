#include "platform/win32/Win32Http.h"

#include "platform/win32/BoundedCall.h"
#include "platform/win32/InternetErrorText.h"
#include "platform/win32/RequestDeadline.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32InternetHandle.h"

#include <algorithm>
#include <atomic>

namespace {

// Always from the server itself, never into the cache, over an open connection
// to the same server when there is one, bytes as sent. A redirection from
// http to https is followed like any other; https needs no flag of its own,
// the address's scheme asks for it. The calls run on worker threads, where a
// window of the internet layer (a certificate or password question) would
// have no owner and nobody to answer it.
constexpr DWORD kOpenFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_EXISTING_CONNECT |
                             INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_TRANSFER_BINARY |
                             INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS | INTERNET_FLAG_NO_UI;
constexpr DWORD_PTR kContext = 1;
// What one read asks for at most: the body grows as it comes, and a large
// limit is not allocated before the server has sent anything.
constexpr std::size_t kLargestRead = 16384;

// The calls below run on a thread of their own, and the caller closes their
// handles when the deadline passes: on Windows that ends a blocked call. Where
// it does not (Wine keeps the call blocked), the thread takes no further step
// once it wakes, so a server that sends a byte now and then holds nothing for
// long. The thread is handed the handles' values, never their owners, which
// the caller may empty at any time.

// What a call that opens an address shares with the thread that runs it. A
// request that arrives after the deadline is closed with this.
struct Opening {
    HINTERNET session = nullptr;
    std::string address;
    std::string headers;
    UniqueInternetHandle request;

    void Run() {
        request.reset(::InternetOpenUrlA(session, address.c_str(),
                                         headers.empty() ? nullptr : headers.c_str(),
                                         static_cast<DWORD>(headers.size()), kOpenFlags, kContext));
    }
};

// What a call that reads a body shares with the thread that runs it.
struct Reading {
    HINTERNET request = nullptr;
    std::size_t maxBytes = 0;
    std::string body;
    DWORD error = ERROR_SUCCESS;
    std::atomic<bool> timedOut{false};

    // The server may send the body in pieces of any size; a short read is not
    // its end, only an empty one is.
    void Run() {
        while (body.size() < maxBytes && !timedOut) {
            const std::size_t held = body.size();
            const DWORD wanted = static_cast<DWORD>(std::min(maxBytes - held, kLargestRead));
            body.resize(held + wanted);
            DWORD got = 0;
            const BOOL read = ::InternetReadFile(request, &body[held], wanted, &got);
            body.resize(held + (read ? got : 0));
            if (!read) {
                error = ::GetLastError();
                return;
            }
            if (got == 0)
                return;
        }
    }
};

// Zero when no status line arrived: some internet layers hand out a request
// for a connection that the server closed without a word.
int StatusCode(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!::HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                          nullptr))
        return 0;
    return static_cast<int>(status);
}

// A header of the response as the server sent it; empty when it sent none.
std::string HeaderText(HINTERNET request, DWORD header) {
    std::string text(256, '\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(text.size());
        if (::HttpQueryInfoA(request, header, &text[0], &size, nullptr))
            return text.substr(0, size);
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return {};
        text.resize(size + 1);
    }
}

class Win32HttpRequest : public HttpRequest {
public:
    // The request keeps its session open: closing a session closes its requests.
    Win32HttpRequest(SharedInternetHandle session, UniqueInternetHandle request,
                     const RequestDeadline& deadline, int status)
        : m_session(std::move(session)), m_request(std::move(request)), m_deadline(deadline),
          m_status(status), m_validators{HeaderText(m_request.get(), HTTP_QUERY_ETAG),
                                         HeaderText(m_request.get(), HTTP_QUERY_LAST_MODIFIED)} {}

    int StatusCode() const override { return m_status; }
    HttpValidators Validators() const override { return m_validators; }

    BodyRead ReadBody(std::size_t maxBytes, std::string& body, std::string& errorText) override {
        auto reading = std::make_shared<Reading>();
        reading->request = m_request.get();
        reading->maxBytes = maxBytes;
        const unsigned remaining = m_deadline.RemainingMs();
        const DWORD outcome = remaining == 0 || !m_request
                                  ? WAIT_TIMEOUT
                                  : RunBounded(remaining, [reading] { reading->Run(); });
        if (outcome == WAIT_TIMEOUT) {
            reading->timedOut = true;
            m_request.reset();
            errorText = InternetErrorText(ERROR_INTERNET_TIMEOUT);
            return BodyRead::TimedOut;
        }
        const DWORD error = outcome == ERROR_SUCCESS ? reading->error : outcome;
        if (error != ERROR_SUCCESS) {
            errorText = InternetErrorText(error);
            return BodyRead::Failed;
        }
        body = std::move(reading->body);
        errorText.clear();
        return BodyRead::Complete;
    }

private:
    SharedInternetHandle m_session;
    UniqueInternetHandle m_request;
    RequestDeadline m_deadline;
    int m_status;
    HttpValidators m_validators;
};

class Win32HttpSession : public HttpSession {
public:
    // Its requests share one deadline, counted from the session's start: a
    // menu and its signature come within the time one download may take.
    Win32HttpSession(SharedInternetHandle session, unsigned deadlineMs)
        : m_session(std::move(session)), m_deadline(deadlineMs) {}

    std::unique_ptr<HttpRequest> OpenUrl(const std::string& address,
                                         const HttpValidators& ifChanged) override {
        const RequestDeadline& deadline = m_deadline;
        if (!*m_session)
            return nullptr;
        auto opening = std::make_shared<Opening>();
        opening->session = m_session->get();
        opening->address = address;
        opening->headers = ConditionalRequestHeaders(ifChanged);
        const DWORD outcome = RunBounded(deadline.RemainingMs(), [opening] { opening->Run(); });
        if (outcome == WAIT_TIMEOUT) {
            // The request has no handle yet; only closing its session ends it.
            m_session->reset();
            return nullptr;
        }
        if (outcome != ERROR_SUCCESS || !opening->request)
            return nullptr;
        const int status = StatusCode(opening->request.get());
        if (status == 0)
            return nullptr;
        return std::make_unique<Win32HttpRequest>(m_session, std::move(opening->request), deadline,
                                                  status);
    }

private:
    SharedInternetHandle m_session;
    RequestDeadline m_deadline;
};

// No single step may wait longer than the whole request may take, so a call
// left behind at the deadline ends soon after it where the layer honours them.
void SetTimeouts(HINTERNET session, DWORD milliseconds) {
    for (const DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                               INTERNET_OPTION_RECEIVE_TIMEOUT})
        ::InternetSetOptionA(session, option, &milliseconds, sizeof milliseconds);
}

} // namespace

std::unique_ptr<HttpSession> Win32Http::OpenSession(const std::string& agent,
                                                    std::string& errorText) {
    // A system without the internet layer fails like one whose layer will not
    // open: the user is told why there is no connection.
    UniqueInternetHandle session(
        LoadSystemLibrary("wininet.dll") != nullptr
            ? ::InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)
            : nullptr);
    if (!session) {
        errorText = InternetErrorText(::GetLastError());
        return nullptr;
    }
    errorText.clear();
    SetTimeouts(session.get(), m_deadlineMs);
    return std::make_unique<Win32HttpSession>(
        std::make_shared<UniqueInternetHandle>(std::move(session)), m_deadlineMs);
}
