// libFuzzer target: what a server answers to the update check's downloads.
//
// The input is an address, a Location header, a Content-Length header and a
// body, separated by newlines, with the first byte choosing the status and
// the redirects already followed. Whatever they hold, a redirect that is
// followed must lead to an address the rule accepts and never from https to
// plain http, a declared length must be judged as its digits say however
// long they are, and a body must never be held past one byte over its limit.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/download_rules.h"
#include "app/update_check.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

std::string NextLine(std::string& rest) {
    const std::size_t end = rest.find('\n');
    std::string line = rest.substr(0, end);
    rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
    return line;
}

// The decimal digits, without leading zeros, compared as numbers of any length.
bool DigitsExceed(const std::string& digits, std::size_t limit) {
    const std::size_t first = digits.find_first_not_of('0');
    const std::string value = first == std::string::npos ? "0" : digits.substr(first);
    const std::string bound = std::to_string(limit);
    return value.size() != bound.size() ? value.size() > bound.size() : value > bound;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const int statuses[] = {200, 301, 302, 303, 307, 308, 304, 404};
    const int status = statuses[data[0] % 8];
    const int followed = (data[0] >> 3) % (kMaxRedirects + 2);
    std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string url = NextLine(rest);
    const std::string location = NextLine(rest);
    const std::string contentLength = NextLine(rest);

    const AnswerVerdict verdict = JudgeAnswer(url, status, location, followed);
    if (verdict.step == AnswerStep::kFollow) {
        Require(IsAcceptedUpdateAddress(verdict.next));
        Require(followed < kMaxRedirects);
        const bool fromSecure = url.size() >= 8 && (url[4] == 's' || url[4] == 'S');
        const bool toSecure = verdict.next.size() >= 8 && (verdict.next[4] == 's' || verdict.next[4] == 'S');
        Require(!fromSecure || toSecure);
    }
    Require((verdict.step == AnswerStep::kRead) == (status == 200));

    const std::size_t limit = 4096;
    const bool digitsOnly =
        !contentLength.empty() && contentLength.find_first_not_of("0123456789") == std::string::npos;
    if (digitsOnly) Require(DeclaresMoreThan(contentLength, limit) == DigitsExceed(contentLength, limit));

    DownloadedBody body(limit);
    std::size_t offered = 0;
    for (std::size_t at = 0; at < rest.size();) {
        const std::size_t chunk = body.NextRead(1 + static_cast<unsigned char>(rest[at]) * 37);
        if (chunk == 0) break;
        const std::size_t taken = std::min(chunk, rest.size() - at);
        offered += taken;
        body.Add(rest.data() + at, taken);
        at += taken;
        Require(body.Text().size() <= limit + 1);
    }
    Require(body.TooLong() == (offered > limit));
    return 0;
}
