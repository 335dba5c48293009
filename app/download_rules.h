// What every download of the update site keeps to, whatever does the
// transfer: the answer goes to memory and is never longer than what the
// caller reads of it (a longer one is refused, not cut, so that no cut-off
// file passes for a whole one); a server that is slow, silent or never ends
// holds the check for a bounded time, after which the attempt counts as
// failed and is made again later; and a redirect leads only where an address
// from the settings file may lead, so that a server cannot send the check
// somewhere the address rule refuses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct DownloadLimits {
    std::size_t maxBytes = 0;
    // Waiting for the connection, and for each next piece of the answer.
    std::uint32_t connectTimeoutMs = 10000;
    std::uint32_t receiveTimeoutMs = 10000;
    // The whole download, redirects included; a transfer may overrun it by
    // one receive time-out at most, the wait that was under way.
    std::uint32_t deadlineMs = 30000;
};

// The limits with the time-outs no longer than `timeLimitMs` (0: unchanged).
// Tests shorten them; nothing lengthens them.
DownloadLimits WithTimeLimit(DownloadLimits limits, std::uint32_t timeLimitMs);

// How long the next wait of a download may last after `elapsedMs` of it:
// a receive time-out, or what is left of the deadline if that is less; 0 once
// the deadline has passed.
std::uint32_t NextWaitMs(const DownloadLimits& limits, std::uint64_t elapsedMs);

// Redirects followed before a download gives up.
inline constexpr int kMaxRedirects = 5;

// What to do with an answer of the server.
enum class AnswerStep { kRead, kFollow, kRefuse };
struct AnswerVerdict {
    AnswerStep step = AnswerStep::kRefuse;
    std::string next;  // the address to follow, for kFollow
};

// The answer to `url` with the HTTP status, its Location header (for a
// redirect) and how many redirects led here. Only 200 is read; a redirect is
// followed when its target, resolved against `url`, passes the address rule,
// stays https when `url` was https, and the hops are not used up; anything
// else fails the download.
AnswerVerdict JudgeAnswer(const std::string& url, int status, const std::string& location, int redirectsFollowed);

// Where a Location header leads from `from`: an absolute address, or one
// relative to `from` ("//host/x", "/x", "x", "?q"), without its fragment.
// "" when it cannot be resolved: empty, not printable ASCII, or `from` not
// an http(s) address.
std::string ResolveRedirect(const std::string& from, const std::string& location);

// Whether a Content-Length header promises more than `maxBytes` (a value
// that is not a plain number promises nothing: the body's own length decides).
bool DeclaresMoreThan(const std::string& contentLength, std::size_t maxBytes);

// The answer's body as it arrives, held to the limit.
class DownloadedBody {
public:
    explicit DownloadedBody(std::size_t maxBytes) : maxBytes_(maxBytes) {}
    // How much to read next of `available` bytes waiting: never more than
    // one byte past the limit, which is all it takes to know it is passed.
    std::size_t NextRead(std::size_t available) const;
    // False once the body has grown past the limit; what is held then stays
    // refused.
    bool Add(const char* data, std::size_t size);
    bool TooLong() const { return tooLong_; }
    const std::string& Text() const { return text_; }

private:
    std::size_t maxBytes_;
    std::string text_;
    bool tooLong_ = false;
};
