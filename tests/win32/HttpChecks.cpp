#include "platform/win32/InternetErrorText.h"
#include "platform/win32/Win32Http.h"
#include "tests/win32/ServiceChecks.h"

#include <wininet.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* kAgent = "VellinorServicesTest";
// What the test server's /fixed answers.
constexpr const char* kFixedBody = "Vellinor test body: a fixed text of some length.\r\n";
constexpr std::size_t kLargestBody = 65536;
// Short enough for the checks, long enough for a loaded machine to open and
// read a local address well within it.
constexpr unsigned kShortDeadlineMs = 3000;
// How late a request may end after its deadline: thread start and wake-up.
constexpr unsigned kLateMs = 1500;

// The test server's bodies of a given size: byte i is i % 251, so a piece
// lost, doubled or out of order shows.
std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i % 251);
    return bytes;
}

struct Fetched {
    bool opened = false;
    int status = 0;
    bool read = false;
    std::string body;
    std::string error;
};

Fetched Fetch(HttpSession& session, const std::string& address, std::size_t maxBytes) {
    Fetched fetched;
    const std::unique_ptr<HttpRequest> request = session.OpenUrl(address);
    fetched.opened = request != nullptr;
    if (request != nullptr) {
        fetched.status = request->StatusCode();
        fetched.read = request->ReadBody(maxBytes, fetched.body, fetched.error) ==
                       HttpRequest::BodyRead::Complete;
    }
    return fetched;
}

struct BodyCase {
    const char* path;
    std::size_t maxBytes;
    int status;
    std::string body;
};

void CheckBodies(CheckList& checks, HttpSession& session, const std::string& server) {
    const BodyCase cases[] = {
        {"/fixed", kLargestBody, 200, kFixedBody},
        {"/redirect/fixed", kLargestBody, 200, kFixedBody},
        {"/status/404", kLargestBody, 404,
         "<html><body>Status 404 from the test server</body></html>"},
        {"/size/0", kLargestBody, 200, ""},
        {"/size/1000", kLargestBody, 200, Pattern(1000)},
        {"/size/65536", kLargestBody, 200, Pattern(65536)},
        {"/size/70000", kLargestBody, 200, Pattern(kLargestBody)},
        {"/chunked/70000", kLargestBody, 200, Pattern(kLargestBody)},
        {"/size/70000", 20, 200, Pattern(20)},
        {"/echo", kLargestBody, 200, std::string("GET\n") + kAgent},
    };
    for (const BodyCase& test : cases) {
        const std::string what =
            std::string(test.path) + " read up to " + std::to_string(test.maxBytes) + " bytes";
        const Fetched fetched = Fetch(session, server + test.path, test.maxBytes);
        checks.Expect(fetched.opened && fetched.read && fetched.error.empty(),
                      what + ": opens and reads");
        checks.Expect(fetched.status == test.status,
                      what + ": status " + std::to_string(fetched.status));
        checks.Expect(fetched.body == test.body,
                      what + ": the body (" + std::to_string(fetched.body.size()) + " bytes)");
    }
}

void CheckUnopened(CheckList& checks, HttpSession& session, const std::string& server,
                   const std::string& refused) {
    const struct {
        std::string address;
        const char* what;
    } cases[] = {
        {refused + "/fixed", "a refused connection"},
        {server + "/close", "a connection closed with no answer"},
        {"http://vellinor.invalid/fixed", "a host name that does not resolve"},
    };
    for (const auto& test : cases)
        checks.Expect(session.OpenUrl(test.address) == nullptr,
                      std::string(test.what) + " opens nothing");
}

unsigned Since(ULONGLONG start) {
    return static_cast<unsigned>(::GetTickCount64() - start);
}

// Not before the deadline, so a request that failed at once for another
// reason does not pass for one that timed out.
bool InTime(unsigned elapsed, unsigned deadlineMs) {
    return elapsed + 200 >= deadlineMs && elapsed <= deadlineMs + kLateMs;
}

// A server that never answers holds the opening of an address no longer than
// the deadline.
void CheckSilentServer(CheckList& checks, HttpSession& session, const std::string& server,
                       unsigned deadlineMs) {
    const ULONGLONG start = ::GetTickCount64();
    const bool opened = session.OpenUrl(server + "/silent") != nullptr;
    const unsigned elapsed = Since(start);
    checks.Expect(!opened && InTime(elapsed, deadlineMs),
                  "a server that never answers opens nothing, after " + std::to_string(elapsed) +
                      " ms of " + std::to_string(deadlineMs));
}

// A body that stops half way is given up at the deadline of the whole
// request, counted from the opening of its address.
void CheckStalledBody(CheckList& checks, HttpSession& session, const std::string& server,
                      unsigned deadlineMs) {
    const ULONGLONG start = ::GetTickCount64();
    const std::unique_ptr<HttpRequest> stalled = session.OpenUrl(server + "/stall");
    checks.Expect(stalled != nullptr && stalled->StatusCode() == 200,
                  "a body that stops half way opens with its status");
    if (stalled == nullptr)
        return;
    // The wait before the read counts against the same deadline.
    ::Sleep(deadlineMs / 2);
    std::string body = "untouched";
    std::string error;
    const HttpRequest::BodyRead read = stalled->ReadBody(kLargestBody, body, error);
    const unsigned elapsed = Since(start);
    checks.Expect(read == HttpRequest::BodyRead::TimedOut && InTime(elapsed, deadlineMs),
                  "and its read fails by the request's deadline, after " + std::to_string(elapsed) +
                      " ms of " + std::to_string(deadlineMs));
    checks.ExpectEqual(InternetErrorText(ERROR_INTERNET_TIMEOUT), error,
                       "with the text of a timeout");
    checks.ExpectEqual("untouched", body, "leaving the caller's body alone");
}

void CheckErrorTexts(CheckList& checks) {
    const struct {
        DWORD error;
        bool hasText;
        const char* what;
    } cases[] = {
        {ERROR_SUCCESS, false, "no error"},
        {ERROR_INTERNET_TIMEOUT, true, "an error of the internet layer"},
        {ERROR_INTERNET_NAME_NOT_RESOLVED, true, "another error of the internet layer"},
        {ERROR_ACCESS_DENIED, true, "an error of the system"},
        {0x2000FFFF, false, "an error nobody has a text for"},
    };
    for (const auto& test : cases) {
        const std::string text = InternetErrorText(test.error);
        const bool trimmed =
            text.empty() || (std::strchr(" \t\r\n", text.back()) == nullptr && text[0] != ' ');
        checks.Expect(!text.empty() == test.hasText && trimmed,
                      std::string("the text of ") + test.what + ": [" + text + "]");
    }
    checks.Expect(InternetErrorText(ERROR_INTERNET_TIMEOUT) !=
                      InternetErrorText(ERROR_INTERNET_NAME_NOT_RESOLVED),
                  "each error of the internet layer has its own text");
}

} // namespace

int RunHttpChecks(int argc, char** argv) {
    if (argc != 4 || std::strcmp(argv[1], "--http") != 0)
        return -1;
    const std::string server = argv[2];
    const std::string refused = argv[3];
    CheckList checks;

    CheckErrorTexts(checks);
    Win32Http http(kShortDeadlineMs);
    std::string error = "stale";
    const std::unique_ptr<HttpSession> session = http.OpenSession(kAgent, error);
    checks.Expect(session != nullptr && error.empty(), "a session opens with no error text");
    if (session != nullptr) {
        CheckBodies(checks, *session, server);
        CheckUnopened(checks, *session, server, refused);
        CheckStalledBody(checks, *session, server, kShortDeadlineMs);
        // Last, for it closes the session.
        CheckSilentServer(checks, *session, server, kShortDeadlineMs);
        checks.Expect(!Fetch(*session, server + "/fixed", kLargestBody).opened,
                      "a session whose connection was given up opens nothing more");
    }
    // The program's own deadline, once.
    Win32Http programHttp;
    const std::unique_ptr<HttpSession> programSession = programHttp.OpenSession(kAgent, error);
    if (programSession != nullptr)
        CheckSilentServer(checks, *programSession, server, HttpService::kDeadlineMs);

    std::printf("%d failed\n", checks.Failures());
    return checks.Failures();
}
