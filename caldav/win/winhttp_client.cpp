#include "caldav/win/winhttp_client.h"

#include <windows.h>

#include <winhttp.h>

#include <string>

#include "base/win/scoped_win.h"
#include "caldav/calendar_sync.h"

namespace {

struct CloseWinHttpHandle {
    void operator()(HINTERNET handle) const { WinHttpCloseHandle(handle); }
};
using ScopedWinHttpHandle = ScopedHandle<HINTERNET, CloseWinHttpHandle>;

// WinHTTP's proxy settings, given back with GlobalFree.
struct IeProxyConfig {
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config{};
    IeProxyConfig() {
        if (!WinHttpGetIEProxyConfigForCurrentUser(&config)) config = WINHTTP_CURRENT_USER_IE_PROXY_CONFIG{};
    }
    ~IeProxyConfig() {
        for (LPWSTR text : {config.lpszAutoConfigUrl, config.lpszProxy, config.lpszProxyBypass})
            if (text) GlobalFree(text);
    }
    IeProxyConfig(const IeProxyConfig&) = delete;
    IeProxyConfig& operator=(const IeProxyConfig&) = delete;
};

// Header lines are ASCII (Latin-1 at most) both ways: a byte per character.
std::wstring WideOfBytes(const std::string& bytes) {
    std::wstring wide;
    for (const char c : bytes) wide.push_back(static_cast<unsigned char>(c));
    return wide;
}
std::string BytesOfWide(const std::wstring& wide) {
    std::string bytes;
    for (const wchar_t c : wide) bytes.push_back(c < 0x100 ? static_cast<char>(c) : '?');
    return bytes;
}

// The path as the server is to see it: the sync's addresses are sent as they
// are, with only what may not stand in a request line (spaces, controls, the
// bytes of non-ASCII characters) percent-encoded.
std::wstring RequestPath(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::wstring out;
    for (const char c : path) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            out += L'%';
            out += static_cast<wchar_t>(kHex[byte >> 4]);
            out += static_cast<wchar_t>(kHex[byte & 15]);
        } else {
            out += static_cast<wchar_t>(byte);
        }
    }
    return out.empty() ? L"/" : out;
}

struct UrlParts {
    bool secure = false;
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring path;  // with the query
};

bool CrackUrl(const std::string& url, UrlParts& parts) {
    const std::wstring wide = WideOfBytes(url);
    URL_COMPONENTS c{};
    c.dwStructSize = sizeof c;
    c.dwSchemeLength = c.dwHostNameLength = c.dwUrlPathLength = c.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(wide.c_str(), static_cast<DWORD>(wide.size()), 0, &c)) return false;
    if (c.nScheme != INTERNET_SCHEME_HTTPS && c.nScheme != INTERNET_SCHEME_HTTP) return false;
    parts.secure = c.nScheme == INTERNET_SCHEME_HTTPS;
    parts.host.assign(c.lpszHostName, c.dwHostNameLength);
    parts.port = c.nPort;
    std::wstring target(c.lpszUrlPath, c.dwUrlPathLength);
    target.append(c.lpszExtraInfo, c.dwExtraInfoLength);
    parts.path = RequestPath(BytesOfWide(target.substr(0, target.find(L'#'))));
    return !parts.host.empty();
}

// Wine's WinHTTP reports some failures with the socket's error:
// WSAETIMEDOUT for a silent server, WSAECONNRESET and WSAECONNABORTED for a
// connection the server reset.
constexpr DWORD kSocketTimedOut = 10060;
constexpr DWORD kSocketReset = 10054;
constexpr DWORD kSocketAborted = 10053;

// The server closed or reset the connection (an empty answer is read as a
// malformed one).
bool IsConnectionLost(DWORD error) {
    return error == ERROR_WINHTTP_CONNECTION_ERROR || error == kSocketReset || error == kSocketAborted ||
           error == ERROR_WINHTTP_INVALID_SERVER_RESPONSE;
}

// The client's own words for the failures a user meets (GBK, like the
// sync's messages they end up in).
std::string FailureDetail(DWORD error) {
    switch (error) {
        case ERROR_WINHTTP_NAME_NOT_RESOLVED:
            return "找不到这个服务器名";
        case ERROR_WINHTTP_CANNOT_CONNECT:
            return "服务器没有接受连接";
        case ERROR_WINHTTP_TIMEOUT:
        case kSocketTimedOut:
            return "等待超时";
        case ERROR_WINHTTP_CONNECTION_ERROR:
        case kSocketReset:
        case kSocketAborted:
            return "连接被重置";
        default:
            return "WinHTTP 错误 " + std::to_string(error);
    }
}

HttpAnswer Failure(HttpFailure failure, std::string detail) {
    HttpAnswer answer;
    answer.failure = failure;
    answer.detail = std::move(detail);
    return answer;
}

// What a failed WinHTTP call means for the sync; `answering` once the
// server's answer had begun to arrive.
HttpAnswer FailureOf(DWORD error, bool answering) {
    switch (error) {
        case ERROR_WINHTTP_TIMEOUT:
        case kSocketTimedOut:
            return Failure(HttpFailure::kTimedOut, FailureDetail(error));
        case ERROR_WINHTTP_SECURE_FAILURE:
        case ERROR_WINHTTP_SECURE_INVALID_CA:
        case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
        case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
        case ERROR_WINHTTP_SECURE_CERT_REVOKED:
        case ERROR_WINHTTP_SECURE_INVALID_CERT:
        case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE:
            return Failure(HttpFailure::kInsecure, FailureDetail(error));
        default:
            if (answering) return Failure(HttpFailure::kCutShort, FailureDetail(error));
            return Failure(IsConnectionLost(error) ? HttpFailure::kDropped : HttpFailure::kUnreachable,
                           FailureDetail(error));
    }
}

void SetOption(HINTERNET handle, DWORD option, DWORD value) { WinHttpSetOption(handle, option, &value, sizeof value); }

std::wstring RawHeaders(HINTERNET request) {
    DWORD bytes = 0;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &bytes,
                        WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0) return std::wstring();
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, &text[0], &bytes,
                             WINHTTP_NO_HEADER_INDEX)) {
        return std::wstring();
    }
    text.resize(bytes / sizeof(wchar_t));
    return text;
}

HttpHeaders HeadersOf(const std::string& raw) {
    HttpHeaders headers;
    std::size_t start = raw.find("\r\n");  // after the status line
    while (start != std::string::npos && start + 2 < raw.size()) {
        start += 2;
        const std::size_t end = raw.find("\r\n", start);
        const std::string line = raw.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (const std::size_t colon = line.find(':'); colon != std::string::npos) {
            std::string value = line.substr(colon + 1);
            value.erase(0, value.find_first_not_of(" \t"));
            headers.emplace_back(line.substr(0, colon), value);
        }
        start = end;
    }
    return headers;
}

// Fewer bytes than the answer's Content-Length announced.
bool ShortOfLength(const HttpAnswer& answer) {
    const std::string length = answer.Header("Content-Length");
    if (length.empty() || length.find_first_not_of("0123456789") != std::string::npos || length.size() > 12)
        return false;
    return answer.body.size() < std::stoull(length);
}

class WinHttpClient : public HttpClient {
public:
    explicit WinHttpClient(const WinHttpLimits& limits) : limits_(limits) {}

    HttpAnswer Send(const HttpRequest& request) override {
        HttpAnswer answer = Exchange(request);
        // The session keeps its connections alive for the next request: after
        // one the server closed, they all start afresh.
        if (answer.failure == HttpFailure::kDropped) session_.reset();
        return answer;
    }

private:
    HttpAnswer Exchange(const HttpRequest& request) {
        if (!IsAllowedServerAddress(request.url)) {
            return Failure(HttpFailure::kInsecure, "plain HTTP goes only to this machine's own address");
        }
        UrlParts url;
        if (!CrackUrl(request.url, url)) return Failure(HttpFailure::kUnreachable, "not an address: " + request.url);
        if (!session_ && !OpenSession()) return FailureOf(GetLastError(), false);

        const ScopedWinHttpHandle connection(WinHttpConnect(session_.get(), url.host.c_str(), url.port, 0));
        if (!connection) return FailureOf(GetLastError(), false);
        const std::wstring method = WideOfBytes(request.method);
        const ScopedWinHttpHandle handle(WinHttpOpenRequest(
            connection.get(), method.c_str(), url.path.c_str(), nullptr, WINHTTP_NO_REFERER,
            WINHTTP_DEFAULT_ACCEPT_TYPES,
            WINHTTP_FLAG_ESCAPE_DISABLE | WINHTTP_FLAG_ESCAPE_DISABLE_QUERY | (url.secure ? WINHTTP_FLAG_SECURE : 0)));
        if (!handle) return FailureOf(GetLastError(), false);
        HINTERNET r = handle.get();
        WinHttpSetTimeouts(r, limits_.connectMs, limits_.connectMs, limits_.quietMs, limits_.quietMs);
        // The wait for the answer's head has its own time-out, without end by default under Wine.
        SetOption(r, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, static_cast<DWORD>(limits_.quietMs));
        SetOption(r, WINHTTP_OPTION_REDIRECT_POLICY, WINHTTP_OPTION_REDIRECT_POLICY_NEVER);
        SetOption(r, WINHTTP_OPTION_DISABLE_FEATURE, WINHTTP_DISABLE_COOKIES | WINHTTP_DISABLE_REDIRECTS);
        SetOption(r, WINHTTP_OPTION_AUTOLOGON_POLICY, WINHTTP_AUTOLOGON_SECURITY_LEVEL_HIGH);

        std::wstring headers;
        for (const auto& [name, value] : request.headers) headers += WideOfBytes(name + ": " + value) + L"\r\n";
        LPVOID body = request.body.empty() ? WINHTTP_NO_REQUEST_DATA : const_cast<char*>(request.body.data());
        const DWORD length = static_cast<DWORD>(request.body.size());
        if (!WinHttpSendRequest(r, headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                                static_cast<DWORD>(headers.size()), body, length, length, 0)) {
            return FailureOf(GetLastError(), false);
        }
        if (!WinHttpReceiveResponse(r, nullptr)) return FailureOf(GetLastError(), false);

        HttpAnswer answer;
        DWORD status = 0, bytes = sizeof status;
        if (!WinHttpQueryHeaders(r, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                                 &status, &bytes, WINHTTP_NO_HEADER_INDEX)) {
            return FailureOf(GetLastError(), true);
        }
        answer.status = static_cast<int>(status);
        answer.headers = HeadersOf(BytesOfWide(RawHeaders(r)));
        char buffer[16384];
        for (;;) {
            DWORD read = 0;
            if (!WinHttpReadData(r, buffer, sizeof buffer, &read)) return FailureOf(GetLastError(), true);
            if (read == 0) break;
            if (answer.body.size() + read > limits_.answerLimit) {
                return Failure(HttpFailure::kTooLarge, "more than " + std::to_string(limits_.answerLimit) + " bytes");
            }
            answer.body.append(buffer, read);
        }
        // Some WinHTTPs (Wine's) end a body the server hung up on as if it were whole.
        if (ShortOfLength(answer))
            return Failure(HttpFailure::kCutShort, FailureDetail(ERROR_WINHTTP_CONNECTION_ERROR));
        return answer;
    }

    // The proxy the user set for Windows, as the browser has it; a loopback
    // server is always reached directly.
    bool OpenSession() {
        const IeProxyConfig ie;
        const wchar_t* agent = L"Tavro-Calendar-Sync/1";
        if (ie.config.lpszProxy && *ie.config.lpszProxy) {
            std::wstring bypass = L"<local>;localhost;127.*;[::1]";
            if (ie.config.lpszProxyBypass && *ie.config.lpszProxyBypass)
                bypass += L";" + std::wstring(ie.config.lpszProxyBypass);
            session_.reset(WinHttpOpen(agent, WINHTTP_ACCESS_TYPE_NAMED_PROXY, ie.config.lpszProxy, bypass.c_str(), 0));
        } else {
            session_.reset(WinHttpOpen(agent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                       WINHTTP_NO_PROXY_BYPASS, 0));
        }
        return static_cast<bool>(session_);
    }

    WinHttpLimits limits_;
    ScopedWinHttpHandle session_;
};

}  // namespace

std::unique_ptr<HttpClient> MakeWinHttpClient(const WinHttpLimits& limits) {
    return std::make_unique<WinHttpClient>(limits);
}
