// The one HTTP request and answer the calendar sync needs, behind an
// interface: the program sends it with WinHTTP, the command-line tool and the
// tests with libcurl or a fake. A client follows no redirect itself (the sync
// judges each new address by its own rule) and holds every answer to the
// limits below, so that a server can neither hang the sync nor fill memory.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// The largest answer taken in: a calendar of a few thousand events with their
// alarms is well under it.
inline constexpr std::size_t kHttpAnswerLimit = 8u << 20;
// Seconds to connect, and without a byte received, before a request is given up.
inline constexpr int kHttpConnectSeconds = 15;
inline constexpr int kHttpQuietSeconds = 30;

using HttpHeaders = std::vector<std::pair<std::string, std::string>>;

struct HttpRequest {
    std::string method;  // GET, PUT, DELETE, PROPFIND, REPORT, MKCALENDAR
    std::string url;
    HttpHeaders headers;
    std::string body;
};

enum class HttpFailure {
    kNone,         // an answer came: status, headers and body hold it
    kUnreachable,  // no connection (name unknown, refused, network down)
    kTimedOut,     // connected, then silent too long
    kTooLarge,     // the answer went past kHttpAnswerLimit
    kCutShort,     // the connection ended in the middle of the answer
    kDropped,      // the connection ended before any answer began (closed or reset by the server,
                   // most often a kept-alive one it had already closed); the client's next request
                   // goes over a fresh connection
    kInsecure,     // the certificate did not verify
};

struct HttpAnswer {
    HttpFailure failure = HttpFailure::kNone;
    std::string detail;  // the client's own words for a failure, for the log
    int status = 0;
    HttpHeaders headers;
    std::string body;

    // A header's value by name, in any case; empty when absent.
    std::string Header(const std::string& name) const;
};

class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual HttpAnswer Send(const HttpRequest& request) = 0;
};
