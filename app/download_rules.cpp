#include "app/download_rules.h"

#include <algorithm>
#include <string_view>

#include "app/update_check.h"
#include "base/gbk_scan.h"

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && EqualsIgnoringAsciiCase(text.substr(0, start.size()), start);
}

bool IsSecure(std::string_view url) { return StartsWithIgnoringCase(url, "https://"); }

// "scheme:" at the start, as RFC 3986 spells a scheme.
bool HasScheme(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    const auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!isAlpha(text[0])) return false;
    return std::all_of(text.begin() + 1, text.begin() + colon, [&](char c) {
        return isAlpha(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    });
}

}  // namespace

DownloadLimits WithTimeLimit(DownloadLimits limits, std::uint32_t timeLimitMs) {
    if (timeLimitMs == 0) return limits;
    limits.connectTimeoutMs = std::min(limits.connectTimeoutMs, timeLimitMs);
    limits.receiveTimeoutMs = std::min(limits.receiveTimeoutMs, timeLimitMs);
    limits.deadlineMs = std::min(limits.deadlineMs, timeLimitMs);
    return limits;
}

std::uint32_t NextWaitMs(const DownloadLimits& limits, std::uint64_t elapsedMs) {
    if (elapsedMs >= limits.deadlineMs) return 0;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(limits.receiveTimeoutMs, limits.deadlineMs - elapsedMs));
}

std::string ResolveRedirect(const std::string& from, const std::string& location) {
    if (location.empty() || !IsWebAddress(from)) return std::string();
    for (const char c : location) {
        if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 0x7F) return std::string();
    }
    // The fragment stays with the client; it never changes what is fetched.
    const std::string target = location.substr(0, location.find('#'));
    if (target.empty()) return std::string();
    if (HasScheme(target)) return target;

    const std::size_t authorityStart = from.find("://") + 3;
    const std::size_t pathStart = std::min(from.find_first_of("/?#", authorityStart), from.size());
    if (target.compare(0, 2, "//") == 0) return from.substr(0, authorityStart - 2) + target;
    const std::string origin = from.substr(0, pathStart);
    if (target[0] == '/') return origin + target;
    const std::size_t queryStart = std::min(from.find_first_of("?#", pathStart), from.size());
    const std::string path = from.substr(pathStart, queryStart - pathStart);
    if (target[0] == '?') return origin + (path.empty() ? "/" : path) + target;
    const std::size_t lastSlash = path.rfind('/');
    const std::string folder = lastSlash == std::string::npos ? "/" : path.substr(0, lastSlash + 1);
    return origin + folder + target;
}

AnswerVerdict JudgeAnswer(const std::string& url, int status, const std::string& location, int redirectsFollowed) {
    AnswerVerdict verdict;
    if (status == 200) {
        verdict.step = AnswerStep::kRead;
        return verdict;
    }
    const bool redirect = status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
    if (!redirect || redirectsFollowed >= kMaxRedirects) return verdict;
    const std::string next = ResolveRedirect(url, location);
    // The test server's plain http is for its own answers: a site reached
    // over https never hands the check to one.
    if (next.empty() || !IsAcceptedUpdateAddress(next) || (IsSecure(url) && !IsSecure(next))) return verdict;
    verdict.step = AnswerStep::kFollow;
    verdict.next = next;
    return verdict;
}

bool DeclaresMoreThan(const std::string& contentLength, std::size_t maxBytes) {
    const std::size_t begin = contentLength.find_first_not_of(" \t");
    const std::size_t end = contentLength.find_last_not_of(" \t");
    if (begin == std::string::npos) return false;
    const std::string_view digits = std::string_view(contentLength).substr(begin, end - begin + 1);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
    // Compared digit by digit, so that no length wraps round to a small one.
    std::size_t value = 0;
    for (const char c : digits) {
        const std::size_t digit = static_cast<std::size_t>(c - '0');
        if (value > maxBytes / 10) return true;
        value *= 10;
        if (digit > maxBytes - value) return true;
        value += digit;
    }
    return false;
}

std::size_t DownloadedBody::NextRead(std::size_t available) const {
    const std::size_t room = text_.size() > maxBytes_ ? 0 : maxBytes_ - text_.size() + 1;
    return std::min(available, room);
}

bool DownloadedBody::Add(const char* data, std::size_t size) {
    if (tooLong_) return false;
    text_.append(data, std::min(size, maxBytes_ + 1 - text_.size()));
    tooLong_ = text_.size() > maxBytes_;
    return !tooLong_;
}
