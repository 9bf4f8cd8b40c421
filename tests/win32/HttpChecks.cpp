#include "platform/win32/InternetErrorText.h"
#include "platform/win32/Win32Http.h"
#include "tests/win32/ServiceChecks.h"

#include <tuple>
#include <wininet.h>

constexpr std::size_t kLargestBody = 65536;
// Short enough for the checks, long enough for a loaded machine to open and
// read a local address well within it.
constexpr unsigned kDeadlineMs = 4000;

using BodyRead = HttpRequest::BodyRead;

void CheckHttp(const std::string& server) {
    // A read that fails shows the user the internet layer's own text for its
    // error, without the line break the system ends it with.
    const std::string text = InternetErrorText(ERROR_INTERNET_NAME_NOT_RESOLVED);
    Expect(!text.empty() && text.find_first_of("\r\n") == std::string::npos,
           "the text of an internet error: [" + text + "]");
    std::string body, error;
    const std::unique_ptr<HttpSession> session =
        Win32Http(kDeadlineMs).OpenSession("VellinorServicesTest", error);
    if (session == nullptr)
        return Expect(false, "a session opens");
    // Answers that the program's menu downloads never meet: a redirection,
    // an error page's status, a limit below the size of one read, and a
    // connection closed unanswered (status 0: nothing opens). Each: the path,
    // the most bytes read, the status, the body.
    const std::tuple<const char*, std::size_t, int, std::string> cases[] = {
        {"/moved", kLargestBody, 200,
         "Vellinor test body: a fixed text of some length.\r\n"},
        {"/missing.txt", 20, 404, "<html>\r\n<head><title"},
        {"/close", kLargestBody, 0, ""},
    };
    for (const auto& [path, maxBytes, status, expected] : cases) {
        const std::unique_ptr<HttpRequest> request = session->OpenUrl(server + path, {});
        const bool read = request && request->ReadBody(maxBytes, body, error) == BodyRead::Complete;
        Expect(status == 0 ? request == nullptr
                           : read && request->StatusCode() == status && body == expected,
               path + (" up to " + std::to_string(maxBytes)) + " bytes");
    }

    // A body that trickles in is given up at the deadline of the whole
    // session, counted from its start: not before, so a read that failed at
    // once does not pass for one that timed out, and late by thread start-up
    // and wake-up at most.
    const ULONGLONG start = ::GetTickCount64();
    const std::unique_ptr<HttpSession> stalling =
        Win32Http(kDeadlineMs).OpenSession("VellinorServicesTest", error);
    const std::unique_ptr<HttpRequest> stall =
        stalling ? stalling->OpenUrl(server + "/stall", {}) : nullptr;
    // Stands for the program's work between the two; a read given a deadline
    // of its own would end this much too late.
    ::Sleep(kDeadlineMs - 500);
    const bool timedOut = stall && stall->ReadBody(kLargestBody, body, error) == BodyRead::TimedOut;
    const auto elapsed = static_cast<unsigned>(::GetTickCount64() - start);
    Expect(timedOut && elapsed + 200 >= kDeadlineMs && elapsed <= kDeadlineMs + 2000,
           "a stalled body times out " + std::to_string(elapsed) + " ms after its session's start");
}
