#include "platform/win32/InternetErrorText.h"
#include "platform/win32/Win32Http.h"
#include "tests/win32/ServiceChecks.h"

#include <wininet.h>

#include <cstring>

namespace {

constexpr const char* kAgent = "VellinorServicesTest";
constexpr std::size_t kLargestBody = 65536;
// Short enough for the checks, long enough for a loaded machine to open and
// read a local address well within it.
constexpr unsigned kDeadlineMs = 3000;

// The test server's bodies of a given size: byte i is i % 251, so a piece
// lost, doubled or out of order shows.
std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i % 251);
    return bytes;
}

// Answers that the program's menu downloads never meet: a redirection, an
// error page's status, chunks, a limit below the size of one read, the agent
// named, and a connection closed unanswered (status 0: nothing opens).
void CheckAnswers(HttpSession& session, const std::string& server) {
    const struct {
        const char* path;
        std::size_t maxBytes;
        int status;
        std::string body;
    } cases[] = {
        {"/redirect/fixed", kLargestBody, 200,
         "Vellinor test body: a fixed text of some length.\r\n"},
        {"/status/404", kLargestBody, 404,
         "<html><body>Status 404 from the test server</body></html>"},
        {"/chunked/70000", kLargestBody, 200, Pattern(kLargestBody)},
        {"/size/70000", 20, 200, Pattern(20)},
        {"/echo", kLargestBody, 200, std::string("GET\n") + kAgent},
        {"/close", kLargestBody, 0, ""},
    };
    for (const auto& test : cases) {
        const std::unique_ptr<HttpRequest> request = session.OpenUrl(server + test.path);
        std::string body;
        std::string error = "stale";
        const bool read = request != nullptr && request->ReadBody(test.maxBytes, body, error) ==
                                                    HttpRequest::BodyRead::Complete;
        Expect(test.status == 0 ? request == nullptr
                                : read && error.empty() && request->StatusCode() == test.status &&
                                      body == test.body,
               std::string(test.path) + " up to " + std::to_string(test.maxBytes) + " bytes (" +
                   std::to_string(body.size()) + " read)");
    }
}

} // namespace

bool RunHttpChecks(int argc, char** argv) {
    if (argc < 3 || std::strcmp(argv[1], "--http") != 0)
        return false;
    // What a failed read shows the user; the internet layer keeps the texts
    // of its errors in a table of its own. Both come trimmed.
    const std::string texts[] = {InternetErrorText(ERROR_INTERNET_NAME_NOT_RESOLVED),
                                 InternetErrorText(ERROR_ACCESS_DENIED)};
    Expect(InternetErrorText(ERROR_SUCCESS).empty() && !texts[0].empty() && !texts[1].empty() &&
               (texts[0] + texts[1]).find_first_of("\r\n") == std::string::npos,
           "error texts: [" + texts[0] + "] [" + texts[1] + "]");

    std::string error;
    const std::unique_ptr<HttpSession> session = Win32Http(kDeadlineMs).OpenSession(kAgent, error);
    if (session == nullptr)
        return Expect(false, "a session opens"), true;
    CheckAnswers(*session, argv[2]);
    // A body that stops half way is given up at the deadline of the whole
    // request, counted from the opening of its address: not before, so a read
    // that failed at once does not pass for one that timed out, and late by
    // thread start-up and wake-up at most.
    const ULONGLONG start = ::GetTickCount64();
    const std::unique_ptr<HttpRequest> stalled = session->OpenUrl(argv[2] + std::string("/stall"));
    ::Sleep(kDeadlineMs / 2); // stands for the program's work between the two
    std::string body;
    const bool timedOut = stalled != nullptr && stalled->ReadBody(kLargestBody, body, error) ==
                                                    HttpRequest::BodyRead::TimedOut;
    const auto elapsed = static_cast<unsigned>(::GetTickCount64() - start);
    Expect(timedOut && elapsed + 200 >= kDeadlineMs && elapsed <= kDeadlineMs + 2000,
           "a stalled body times out " + std::to_string(elapsed) + " ms after the opening");
    return true;
}
