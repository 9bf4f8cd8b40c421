#pragma once

#include "platform/HttpValidators.h"

#include <cstddef>
#include <memory>
#include <string>

// An open HTTP GET whose response head has arrived. Destroying it closes it.
class HttpRequest {
public:
    enum class BodyRead { Complete, Failed, TimedOut };

    virtual ~HttpRequest() = default;

    // The response's status code (200, 304, 404, ...).
    virtual int StatusCode() const = 0;
    // The response's ETag and Last-Modified values.
    virtual HttpValidators Validators() const = 0;
    // Reads the body until its end or until maxBytes are held, whatever sizes
    // the server sends it in; never holds more than maxBytes. Failed when the
    // internet layer fails, with its error text in errorText (empty when it
    // has none); TimedOut when the request's deadline passes, which closes
    // the request. The body is set only when Complete.
    virtual BodyRead ReadBody(std::size_t maxBytes, std::string& body, std::string& errorText) = 0;
};

// One internet session. Requests use the system's proxy settings, never come
// from or go into the local cache, follow redirections, and each has connect,
// send and receive timeouts, and all of them one overall deadline, counted
// from the session's start.
class HttpSession {
public:
    virtual ~HttpSession() = default;

    // Connects, sends the GET and reads the response head; the GET is
    // conditional on the edition ifChanged names, when it names one. Null when the
    // address cannot be opened (no network, unknown host, refused, deadline).
    // Past the deadline the session is closed, for that is how a connection
    // still being made is given up: it opens nothing more.
    virtual std::unique_ptr<HttpRequest> OpenUrl(const std::string& address,
                                                 const HttpValidators& ifChanged) = 0;
};

class HttpService {
public:
    static constexpr unsigned kDeadlineMs = 30000;

    virtual ~HttpService() = default;

    // A session whose requests carry agent as their user agent; null when the
    // internet layer fails, with its error text in errorText (empty when it
    // has none).
    virtual std::unique_ptr<HttpSession> OpenSession(const std::string& agent,
                                                     std::string& errorText) = 0;
};
