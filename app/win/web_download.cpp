#include "app/win/web_download.h"

#include <windows.h>

#include <wininet.h>

#include <vector>

#include "base/win/scoped_win.h"

namespace {

struct CloseInternetHandle {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using ScopedInternetHandle = ScopedHandle<HINTERNET, CloseInternetHandle>;

// Addresses and the headers read here are ASCII; anything else becomes a
// character the download rules refuse, never a look-alike they might accept.
std::string AsciiOf(const std::wstring& text) {
    std::string ascii;
    for (const wchar_t c : text) ascii.push_back(c < 0x7F ? static_cast<char>(c) : '\x7F');
    return ascii;
}

std::wstring WideOf(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

void SetTimeout(HINTERNET handle, DWORD option, DWORD ms) { InternetSetOptionW(handle, option, &ms, sizeof ms); }

// A header of the answer, "" when it has none (or one longer than any
// address or length worth reading).
std::string HeaderOf(HINTERNET request, DWORD query) {
    std::vector<wchar_t> value(1024);
    DWORD bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    DWORD index = 0;
    if (!HttpQueryInfoW(request, query, value.data(), &bytes, &index)) return std::string();
    return AsciiOf(std::wstring(value.data(), bytes / sizeof(wchar_t)));
}

int StatusOf(HINTERNET request) {
    DWORD status = 0;
    DWORD bytes = sizeof status;
    DWORD index = 0;
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &bytes, &index)) return 0;
    return static_cast<int>(status);
}

class Stopwatch {
public:
    ULONGLONG ElapsedMs() const { return GetTickCount64() - started_; }

private:
    ULONGLONG started_ = GetTickCount64();
};

// Waits only for what has arrived, a piece at a time, so that the deadline
// is looked at between pieces even when the server sends a byte a second.
bool ReadBody(HINTERNET request, const DownloadLimits& limits, const Stopwatch& clock, std::string& body) {
    DownloadedBody held(limits.maxBytes);
    char buffer[4096];
    for (;;) {
        const DWORD wait = NextWaitMs(limits, clock.ElapsedMs());
        if (wait == 0) return false;
        SetTimeout(request, INTERNET_OPTION_RECEIVE_TIMEOUT, wait);
        DWORD available = 0;
        if (!InternetQueryDataAvailable(request, &available, 0, 0)) return false;
        if (available == 0) break;
        const DWORD wanted = static_cast<DWORD>(held.NextRead(available < sizeof buffer ? available : sizeof buffer));
        DWORD read = 0;
        if (!InternetReadFile(request, buffer, wanted, &read)) return false;
        if (read == 0) break;
        if (!held.Add(buffer, read)) return false;
    }
    body = held.Text();
    return true;
}

// One GET and its answer's headers. The time-outs are set on the request
// itself: a connection handle passes only its connect time-out on to its
// requests under Wine, so one set higher up would leave a silent server
// waited for without end.
struct OpenedRequest {
    ScopedInternetHandle connection;
    ScopedInternetHandle request;  // closed first
};

bool OpenRequest(HINTERNET session, const std::string& address, const DownloadLimits& limits, OpenedRequest& opened) {
    const std::wstring url = WideOf(address);
    wchar_t host[256] = {}, path[2048] = {}, extra[2048] = {};
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = ARRAYSIZE(host);
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = ARRAYSIZE(path);
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = ARRAYSIZE(extra);
    if (!InternetCrackUrlW(url.c_str(), 0, 0, &parts)) return false;
    const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    if (!secure && parts.nScheme != INTERNET_SCHEME_HTTP) return false;
    opened.connection.reset(
        InternetConnectW(session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!opened.connection) return false;
    std::wstring target = std::wstring(path[0] ? path : L"/") + extra;
    target = target.substr(0, target.find(L'#'));  // the fragment is the client's own
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                        INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI |
                        INTERNET_FLAG_NO_AUTH | (secure ? INTERNET_FLAG_SECURE : 0);
    opened.request.reset(
        HttpOpenRequestW(opened.connection.get(), L"GET", target.c_str(), nullptr, nullptr, nullptr, flags, 0));
    if (!opened.request) return false;
    SetTimeout(opened.request.get(), INTERNET_OPTION_CONNECT_TIMEOUT, limits.connectTimeoutMs);
    SetTimeout(opened.request.get(), INTERNET_OPTION_SEND_TIMEOUT, limits.receiveTimeoutMs);
    SetTimeout(opened.request.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, limits.receiveTimeoutMs);
    return HttpSendRequestW(opened.request.get(), nullptr, 0, nullptr, 0) != FALSE;
}

}  // namespace

bool DownloadText(const std::wstring& url, const DownloadLimits& limits, std::string& body) {
    const Stopwatch clock;
    ScopedInternetHandle session(InternetOpenW(L"Solvane", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return false;
    SetTimeout(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, limits.connectTimeoutMs);
    std::string address = AsciiOf(url);
    for (int followed = 0;; ++followed) {
        if (NextWaitMs(limits, clock.ElapsedMs()) == 0) return false;
        // What is opened is the very text the rules were given.
        OpenedRequest opened;
        if (!OpenRequest(session.get(), address, limits, opened)) return false;
        HINTERNET request = opened.request.get();
        const AnswerVerdict verdict =
            JudgeAnswer(address, StatusOf(request), HeaderOf(request, HTTP_QUERY_LOCATION), followed);
        if (verdict.step == AnswerStep::kRefuse) return false;
        if (verdict.step == AnswerStep::kFollow) {
            address = verdict.next;
            continue;
        }
        if (DeclaresMoreThan(HeaderOf(request, HTTP_QUERY_CONTENT_LENGTH), limits.maxBytes)) return false;
        return ReadBody(request, limits, clock, body);
    }
}
