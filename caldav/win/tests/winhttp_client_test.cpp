#include "caldav/win/winhttp_client.h"

#include <winsock2.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

// What the server does once it has read the request.
enum class Then {
    kAnswer,      // sends its reply, then hangs up
    kStaySilent,  // waits for the client to give up
    kHangUp,      // hangs up without a word
    kReset,       // resets the connection, as a server does to a kept-alive one it gave up on
};

// A listening socket on the loopback address, on a port of its own.
SOCKET ListenOnLoopback(unsigned short& port) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    listen(listener, 1);
    return listener;
}

// Reads one request, its head and its body, onto `into`.
void ReadRequest(SOCKET client, std::string& into) {
    const std::size_t start = into.size();
    char buffer[4096];
    for (;;) {
        const std::size_t end = into.find("\r\n\r\n", start);
        if (end != std::string::npos) {
            const std::size_t at = into.find("Content-Length: ", start);
            const std::size_t body = at == std::string::npos || at > end ? 0 : std::stoul(into.substr(at + 16));
            if (into.size() >= end + 4 + body) return;
        }
        const int n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) return;
        into.append(buffer, n);
    }
}

// Closes the connection with a reset instead of an orderly end.
void Reset(SOCKET client) {
    const linger abort{1, 0};
    setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
    closesocket(client);
}

// A server on the loopback address for one request: it reads the request
// and does as `then` says.
class OneAnswerServer {
public:
    explicit OneAnswerServer(std::string reply, Then then = Then::kAnswer)
        : reply_(std::move(reply)), then_(then), listener_(ListenOnLoopback(port_)) {
        thread_ = std::thread([this] { Serve(); });
    }
    ~OneAnswerServer() {
        closesocket(listener_);
        thread_.join();
        WSACleanup();
    }

    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    // What arrived, once the client has its answer.
    const std::string& received() const { return received_; }

private:
    void Serve() {
        const SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        ReadRequest(client, received_);
        if (then_ == Then::kStaySilent) {
            char buffer[16];
            recv(client, buffer, sizeof buffer, 0);  // until the client gives up
        } else if (then_ == Then::kAnswer) {
            send(client, reply_.data(), static_cast<int>(reply_.size()), 0);
        } else if (then_ == Then::kReset) {
            Reset(client);
            return;
        }
        closesocket(client);
    }

    std::string reply_;
    Then then_;
    unsigned short port_ = 0;
    SOCKET listener_ = INVALID_SOCKET;
    std::string received_;
    std::thread thread_;
};

// A server that keeps the connection of its first answer open for the next
// request, then gives up on it and resets it when that request comes, as
// servers do under load; the request after that, on a connection of its
// own, is answered. `connections` counts the connections it took.
class KeptAliveServer {
public:
    KeptAliveServer() : listener_(ListenOnLoopback(port_)) {
        thread_ = std::thread([this] { Serve(); });
    }
    ~KeptAliveServer() {
        closesocket(listener_);
        thread_.join();
        WSACleanup();
    }

    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    int connections = 0;

private:
    void Serve() {
        const std::string keep = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
        const std::string last = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
        std::string received;
        const SOCKET first = accept(listener_, nullptr, nullptr);
        if (first == INVALID_SOCKET) return;
        ++connections;
        ReadRequest(first, received);
        send(first, keep.data(), static_cast<int>(keep.size()), 0);
        ReadRequest(first, received);
        Reset(first);
        const SOCKET second = accept(listener_, nullptr, nullptr);
        if (second == INVALID_SOCKET) return;
        ++connections;
        ReadRequest(second, received);
        send(second, last.data(), static_cast<int>(last.size()), 0);
        closesocket(second);
    }

    unsigned short port_ = 0;
    SOCKET listener_ = INVALID_SOCKET;
    std::thread thread_;
};

TEST(WinHttpClientTest, SendsTheRequestAsGivenAndTakesInTheWholeAnswer) {
    OneAnswerServer server(
        "HTTP/1.1 207 Multi-Status\r\nETag: \"e1\"\r\nContent-Length: 11\r\nConnection: close\r\n\r\n<multi/>\r\n\r\n");
    HttpRequest request{"REPORT", server.Url("/cal/%E6%97%A5/"), {{"Depth", "1"}, {"If-Match", "\"e0\""}}, "<ask/>"};
    const HttpAnswer answer = MakeWinHttpClient()->Send(request);
    ASSERT_EQ(answer.failure, HttpFailure::kNone) << answer.detail;
    EXPECT_EQ(answer.status, 207);
    EXPECT_EQ(answer.Header("etag"), "\"e1\"");
    EXPECT_EQ(answer.body, "<multi/>\r\n\r\n");
    const std::string& sent = server.received();
    EXPECT_EQ(sent.substr(0, sent.find("\r\n")), "REPORT /cal/%E6%97%A5/ HTTP/1.1");
    EXPECT_NE(sent.find("\r\nDepth: 1\r\n"), std::string::npos);
    EXPECT_NE(sent.find("\r\nIf-Match: \"e0\"\r\n"), std::string::npos);
    EXPECT_EQ(sent.substr(sent.size() - 6), "<ask/>");
}

TEST(WinHttpClientTest, ARedirectIsHandedBackNotFollowed) {
    OneAnswerServer server(
        "HTTP/1.1 301 Moved\r\nLocation: http://127.0.0.1:1/elsewhere/\r\nContent-Length: 0\r\n\r\n");
    const HttpAnswer answer = MakeWinHttpClient()->Send({"PROPFIND", server.Url("/"), {}, ""});
    ASSERT_EQ(answer.failure, HttpFailure::kNone) << answer.detail;
    EXPECT_EQ(answer.status, 301);
    EXPECT_EQ(answer.Header("Location"), "http://127.0.0.1:1/elsewhere/");
}

TEST(WinHttpClientTest, AServerThatFailsMidwayIsToldApartFromOneThatIsNotThere) {
    WinHttpLimits limits;
    limits.quietMs = 1500;
    limits.answerLimit = 1000;
    const struct {
        const char* what;
        std::string reply;
        Then then;
        HttpFailure failure;
    } cases[] = {
        {"hangs up in the middle of the body", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nshort", Then::kAnswer,
         HttpFailure::kCutShort},
        {"answers more than the limit", "HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n" + std::string(5000, 'x'),
         Then::kAnswer, HttpFailure::kTooLarge},
        {"says nothing", "", Then::kStaySilent, HttpFailure::kTimedOut},
        {"hangs up before answering", "", Then::kHangUp, HttpFailure::kDropped},
        {"resets the connection before answering", "", Then::kReset, HttpFailure::kDropped},
    };
    for (const auto& c : cases) {
        OneAnswerServer server(c.reply, c.then);
        const HttpAnswer answer = MakeWinHttpClient(limits)->Send({"GET", server.Url("/"), {}, ""});
        EXPECT_EQ(answer.failure, c.failure) << c.what << ": " << answer.detail;
        EXPECT_TRUE(answer.body.empty()) << c.what;
    }
    std::string closedPort;
    {
        OneAnswerServer gone("");
        closedPort = gone.Url("/");
        MakeWinHttpClient(limits)->Send({"GET", closedPort, {}, ""});  // takes its one request
    }
    EXPECT_EQ(MakeWinHttpClient(limits)->Send({"GET", closedPort, {}, ""}).failure, HttpFailure::kUnreachable);
}

TEST(WinHttpClientTest, AKeptAliveConnectionResetBeforeItsAnswerIsToldApartAndTheNextRequestGoesOverAFreshOne) {
    KeptAliveServer server;
    const std::unique_ptr<HttpClient> client = MakeWinHttpClient();
    EXPECT_EQ(client->Send({"GET", server.Url("/first"), {}, ""}).status, 200);
    const HttpAnswer cut = client->Send({"GET", server.Url("/second"), {}, ""});
    EXPECT_EQ(cut.failure, HttpFailure::kDropped) << cut.detail;
    const HttpAnswer again = client->Send({"GET", server.Url("/second"), {}, ""});
    EXPECT_EQ(again.failure, HttpFailure::kNone) << again.detail;
    EXPECT_EQ(again.body, "ok");
    EXPECT_EQ(server.connections, 2);
}

// The current user's proxy settings in Internet Options, as Windows keeps
// them (a version, a counter, the kinds of setting in use, then the proxy,
// the addresses it is not for and the script's address, each counted), for
// as long as this lives; put back as they were after.
class UserProxySettings {
public:
    static constexpr std::uint32_t kNamedProxy = 2, kScript = 4;

    UserProxySettings(std::uint32_t kinds, const std::string& proxy, const std::string& script) {
        RegCreateKeyExW(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections", 0, nullptr, 0,
                        KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
        DWORD size = 0;
        if (RegQueryValueExW(key_, kValue, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
            saved_.resize(size);
            had_ = RegQueryValueExW(key_, kValue, nullptr, nullptr, saved_.data(), &size) == ERROR_SUCCESS;
        }
        std::string blob = Number(0x46) + Number(1) + Number(kinds | 1) + Counted(proxy) + Counted("") +
                           Counted(script) + std::string(32, '\0');
        RegSetValueExW(key_, kValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(blob.data()),
                       static_cast<DWORD>(blob.size()));
    }
    ~UserProxySettings() {
        if (had_) {
            RegSetValueExW(key_, kValue, 0, REG_BINARY, saved_.data(), static_cast<DWORD>(saved_.size()));
        } else {
            RegDeleteValueW(key_, kValue);
        }
        RegCloseKey(key_);
    }
    UserProxySettings(const UserProxySettings&) = delete;
    UserProxySettings& operator=(const UserProxySettings&) = delete;

private:
    static constexpr const wchar_t* kValue = L"DefaultConnectionSettings";
    static std::string Number(std::uint32_t n) {
        return {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16),
                static_cast<char>(n >> 24)};
    }
    static std::string Counted(const std::string& text) {
        return Number(static_cast<std::uint32_t>(text.size())) + text;
    }

    HKEY key_ = nullptr;
    std::vector<BYTE> saved_;
    bool had_ = false;
};

TEST(WinHttpClientTest, AProxyScriptInTheUsersSettingsChoosesTheWayAndTheNamedProxyStandsInWhenItCannot) {
    // calendar.example.test is a name no DNS knows: a request that goes
    // there directly ends with the name unknown, one through a proxy at the
    // proxy's CONNECT.
    const std::string tunnel = "CONNECT calendar.example.test:443 HTTP/1.1";
    const struct {
        const char* what;
        bool scriptAnswers;
        const char* scriptSays;  // for calendar.example.test; "PROXY" names the test's proxy
        bool namedProxy;         // Internet Options name the test's proxy (or one where nothing listens)
        bool throughProxy;
    } cases[] = {
        {"the script's proxy", true, "PROXY", false, true},
        {"the named proxy when the script cannot be fetched", false, "", true, true},
        {"direct when the script says so, past the named proxy", true, "DIRECT", true, false},
    };
    for (const auto& c : cases) {
        std::optional<OneAnswerServer> proxy;
        if (c.throughProxy) proxy.emplace("HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        const std::string address = proxy ? proxy->Url("").substr(7) : "127.0.0.1:1";  // host:port
        const std::string way = std::string(c.scriptSays) == "PROXY" ? "PROXY " + address : c.scriptSays;
        const std::string pac =
            "function FindProxyForURL(url, host) {\n  return host == \"calendar.example.test\" ? \"" + way +
            "\" : \"DIRECT\";\n}\n";
        std::optional<OneAnswerServer> script;
        if (c.scriptAnswers) {
            script.emplace("HTTP/1.1 200 OK\r\nContent-Type: application/x-ns-proxy-autoconfig\r\nContent-Length: " +
                           std::to_string(pac.size()) + "\r\nConnection: close\r\n\r\n" + pac);
        }
        const UserProxySettings settings(
            UserProxySettings::kScript | (c.namedProxy ? UserProxySettings::kNamedProxy : 0),
            c.namedProxy ? address : "", script ? script->Url("/proxy.pac") : "http://127.0.0.1:1/proxy.pac");
        WinHttpLimits limits;
        limits.connectMs = limits.quietMs = 5000;
        const HttpAnswer answer =
            MakeWinHttpClient(limits)->Send({"PROPFIND", "https://calendar.example.test/dav/", {}, ""});
        EXPECT_NE(answer.failure, HttpFailure::kNone) << c.what;
        if (proxy) {
            const std::string& sent = proxy->received();
            EXPECT_EQ(sent.substr(0, sent.find("\r\n")), tunnel) << c.what;
        } else {
            EXPECT_EQ(answer.detail, "找不到这个服务器名") << c.what;
        }
    }
}

TEST(WinHttpClientTest, ThePasswordGoesOverPlainHttpOnlyToThisMachine) {
    const HttpAnswer answer =
        MakeWinHttpClient()->Send({"PROPFIND", "http://calendar.example.com/", {{"Authorization", "Basic eDp5"}}, ""});
    EXPECT_EQ(answer.failure, HttpFailure::kInsecure);
}

}  // namespace
