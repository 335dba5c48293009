#include <curl/curl.h>

#include <memory>
#include <string>

#include "tools/cli/sync_client.h"

namespace {

struct EasyFree {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct ListFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

struct Received {
    HttpAnswer answer;
    bool tooLarge = false;
    bool answering = false;  // a status line has arrived
};

std::size_t TakeBody(char* data, std::size_t size, std::size_t count, void* user) {
    Received& received = *static_cast<Received*>(user);
    const std::size_t n = size * count;
    if (received.answer.body.size() + n > kHttpAnswerLimit) {
        received.tooLarge = true;
        return 0;  // stops the transfer
    }
    received.answer.body.append(data, n);
    return n;
}

std::size_t TakeHeader(char* data, std::size_t size, std::size_t count, void* user) {
    Received& received = *static_cast<Received*>(user);
    const std::size_t n = size * count;
    std::string line(data, n);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.rfind("HTTP/", 0) == 0) {
        received.answering = true;
        received.answer.headers.clear();  // a new answer (after 100 Continue)
    } else if (const std::size_t colon = line.find(':'); colon != std::string::npos) {
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(" \t"));
        received.answer.headers.emplace_back(line.substr(0, colon), value);
    }
    return n;
}

class CurlClient : public HttpClient {
public:
    HttpAnswer Send(const HttpRequest& request) override {
        Received received;
        const std::unique_ptr<CURL, EasyFree> curl(curl_easy_init());
        if (!curl) {
            received.answer.failure = HttpFailure::kUnreachable;
            received.answer.detail = "libcurl could not start";
            return received.answer;
        }
        CURL* c = curl.get();
        curl_slist* list = nullptr;
        for (const auto& [name, value] : request.headers) list = curl_slist_append(list, (name + ": " + value).c_str());
        list = curl_slist_append(list, "Expect:");  // no 100-continue round trip
        const std::unique_ptr<curl_slist, ListFree> headers(list);
        curl_easy_setopt(c, CURLOPT_URL, request.url.c_str());
        curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, static_cast<long>(kHttpConnectSeconds));
        // Less than a byte a second for that long: given up.
        curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>(kHttpQuietSeconds));
        curl_easy_setopt(c, CURLOPT_NOPROXY, "127.0.0.1,localhost,::1");
        curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
        curl_easy_setopt(c, CURLOPT_USERAGENT, "Tavro-Calendar-Sync/1");
        if (request.method == "GET") {
            curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
        } else {
            curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, request.method.c_str());
            if (!request.body.empty() || request.method == "PUT") {
                curl_easy_setopt(c, CURLOPT_POSTFIELDS, request.body.data());
                curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
            }
        }
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, TakeBody);
        curl_easy_setopt(c, CURLOPT_WRITEDATA, &received);
        curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, TakeHeader);
        curl_easy_setopt(c, CURLOPT_HEADERDATA, &received);
        const CURLcode code = curl_easy_perform(c);
        HttpAnswer& answer = received.answer;
        if (code != CURLE_OK) {
            answer.detail = curl_easy_strerror(code);
            answer.body.clear();
            switch (code) {
                case CURLE_WRITE_ERROR:
                    answer.failure = received.tooLarge ? HttpFailure::kTooLarge : HttpFailure::kCutShort;
                    break;
                case CURLE_OPERATION_TIMEDOUT:
                    answer.failure = HttpFailure::kTimedOut;
                    break;
                case CURLE_PEER_FAILED_VERIFICATION:
                case CURLE_SSL_CACERT_BADFILE:
                case CURLE_SSL_CERTPROBLEM:
                    answer.failure = HttpFailure::kInsecure;
                    break;
                case CURLE_PARTIAL_FILE:
                    answer.failure = HttpFailure::kCutShort;
                    break;
                case CURLE_RECV_ERROR:
                case CURLE_SEND_ERROR:
                case CURLE_GOT_NOTHING:
                    // Each request has a connection of its own here, so one
                    // that ends before the status line was closed or reset by
                    // the server.
                    answer.failure = received.answering ? HttpFailure::kCutShort : HttpFailure::kDropped;
                    break;
                default:
                    answer.failure = HttpFailure::kUnreachable;
            }
            return answer;
        }
        long status = 0;
        curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
        answer.status = static_cast<int>(status);
        return answer;
    }
};

}  // namespace

std::unique_ptr<HttpClient> MakeSyncClient() { return std::make_unique<CurlClient>(); }
