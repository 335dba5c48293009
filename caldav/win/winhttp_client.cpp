#include "caldav/win/winhttp_client.h"

#include <windows.h>

#include <winhttp.h>

#include <map>
#include <optional>
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

// What a proxy auto-configuration said for one address, given back with GlobalFree.
struct AutoProxyAnswer {
    WINHTTP_PROXY_INFO info{};
    AutoProxyAnswer() = default;
    ~AutoProxyAnswer() {
        for (LPWSTR text : {info.lpszProxy, info.lpszProxyBypass})
            if (text) GlobalFree(text);
    }
    AutoProxyAnswer(const AutoProxyAnswer&) = delete;
    AutoProxyAnswer& operator=(const AutoProxyAnswer&) = delete;
};

// The way to one server: a proxy (list) with the addresses it is not for, or direct.
struct ProxyRoute {
    DWORD accessType = WINHTTP_ACCESS_TYPE_NO_PROXY;
    std::wstring proxy, bypass;
};

std::wstring TextOr(LPCWSTR text) { return text ? std::wstring(text) : std::wstring(); }

// What the proxy auto-configuration (WPAD on the network when `script` is
// null, else the script at that address) says for `url`; nothing when it
// cannot say. A script server that asks who is there is given the Windows
// logon on the second try, as browsers give it.
std::optional<ProxyRoute> AskAutoProxy(HINTERNET session, const std::wstring& url, LPCWSTR script) {
    WINHTTP_AUTOPROXY_OPTIONS options{};
    if (script) {
        options.dwFlags = WINHTTP_AUTOPROXY_CONFIG_URL;
        options.lpszAutoConfigUrl = script;
    } else {
        options.dwFlags = WINHTTP_AUTOPROXY_AUTO_DETECT;
        options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
    }
    AutoProxyAnswer answer;
    if (!WinHttpGetProxyForUrl(session, url.c_str(), &options, &answer.info)) {
        if (GetLastError() != ERROR_WINHTTP_LOGIN_FAILURE) return std::nullopt;
        options.fAutoLogonIfChallenged = TRUE;
        if (!WinHttpGetProxyForUrl(session, url.c_str(), &options, &answer.info)) return std::nullopt;
    }
    return ProxyRoute{answer.info.dwAccessType, TextOr(answer.info.lpszProxy), TextOr(answer.info.lpszProxyBypass)};
}

// This machine's own address, which no proxy stands before.
bool IsLoopbackHost(const std::wstring& host) {
    return host == L"localhost" || host.rfind(L"127.", 0) == 0 || host == L"[::1]" || host == L"::1";
}

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
    std::wstring Server() const { return (secure ? L"https://" : L"http://") + host + L":" + std::to_wstring(port); }
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
        if (answer.failure == HttpFailure::kDropped) {
            session_.reset();
            routeSessions_.clear();
        }
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
        HINTERNET session = session_.get();
        if (!IsLoopbackHost(url.host)) {
            if (const std::optional<ProxyRoute>& route = AutoRoute(url)) {
                session = RouteSession(*route);
                if (!session) return FailureOf(GetLastError(), false);
            }
        }

        const ScopedWinHttpHandle connection(WinHttpConnect(session, url.host.c_str(), url.port, 0));
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
    // server is always reached directly. With automatic configuration (a
    // detected or given script) each server's way is asked of it, and the
    // proxy named for every address, or none, is what the session holds for
    // when it cannot say.
    bool OpenSession() {
        const IeProxyConfig ie;
        autoDetect_ = ie.config.fAutoDetect != FALSE;
        script_ = TextOr(ie.config.lpszAutoConfigUrl);
        if (ie.config.lpszProxy && *ie.config.lpszProxy) {
            std::wstring bypass = L"<local>;localhost;127.*;[::1]";
            if (ie.config.lpszProxyBypass && *ie.config.lpszProxyBypass)
                bypass += L";" + std::wstring(ie.config.lpszProxyBypass);
            session_ = Open(WINHTTP_ACCESS_TYPE_NAMED_PROXY, ie.config.lpszProxy, bypass.c_str());
        } else {
            session_ = Open(WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS);
        }
        return static_cast<bool>(session_);
    }

    // A session with its own proxy setting, held to the limits (also when it
    // fetches a proxy script).
    ScopedWinHttpHandle Open(DWORD accessType, LPCWSTR proxy, LPCWSTR bypass) const {
        ScopedWinHttpHandle session(WinHttpOpen(L"Tavro-Calendar-Sync/1", accessType, proxy, bypass, 0));
        if (session)
            WinHttpSetTimeouts(session.get(), limits_.connectMs, limits_.connectMs, limits_.quietMs, limits_.quietMs);
        return session;
    }

    // The session that goes the route's way: a session's proxy is the one
    // every WinHTTP honours (not all take one for a single request).
    HINTERNET RouteSession(const ProxyRoute& route) {
        const std::wstring key = std::to_wstring(route.accessType) + L"|" + route.proxy + L"|" + route.bypass;
        ScopedWinHttpHandle& session = routeSessions_[key];
        if (!session) {
            const bool named = route.accessType == WINHTTP_ACCESS_TYPE_NAMED_PROXY && !route.proxy.empty();
            session = named ? Open(WINHTTP_ACCESS_TYPE_NAMED_PROXY, route.proxy.c_str(),
                                   route.bypass.empty() ? WINHTTP_NO_PROXY_BYPASS : route.bypass.c_str())
                            : Open(WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS);
        }
        return session.get();
    }

    // The automatic configuration's way to the server, asked once for each
    // server in the client's life (detection first, then the script, as
    // browsers try them); nothing when there is none or it cannot say.
    const std::optional<ProxyRoute>& AutoRoute(const UrlParts& url) {
        const std::wstring server = url.Server();
        const auto known = routes_.find(server);
        if (known != routes_.end()) return known->second;
        std::optional<ProxyRoute> route;
        const std::wstring address = server + url.path;
        if (autoDetect_) route = AskAutoProxy(session_.get(), address, nullptr);
        if (!route && !script_.empty()) route = AskAutoProxy(session_.get(), address, script_.c_str());
        return routes_[server] = std::move(route);
    }

    WinHttpLimits limits_;
    ScopedWinHttpHandle session_;
    bool autoDetect_ = false;
    std::wstring script_;
    std::map<std::wstring, std::optional<ProxyRoute>> routes_;   // by scheme, host and port
    std::map<std::wstring, ScopedWinHttpHandle> routeSessions_;  // by route
};

}  // namespace

std::unique_ptr<HttpClient> MakeWinHttpClient(const WinHttpLimits& limits) {
    return std::make_unique<WinHttpClient>(limits);
}
