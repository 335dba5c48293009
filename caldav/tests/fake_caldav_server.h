// The tests' CalDAV server in memory, and the events they sync.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "caldav/calendar_objects.h"
#include "caldav/http_exchange.h"

namespace caldav_test {

// A CalDAV server in memory with the habits of the small servers: the
// principal at the root, the calendar home in the principal, /.well-known
// redirected, sync tokens counting its changes, conditional writes.
class FakeServer : public HttpClient {
public:
    struct Item {
        std::string body;
        int etag = 0;
        bool deleted = false;
        int changedAt = 0;
    };

    HttpAnswer Send(const HttpRequest& request) override {
        requests.push_back(request);
        if (fail) {
            if (std::optional<HttpAnswer> answer = fail(request)) return *answer;
        }
        return Answer(request);
    }

    // What a phone does to the calendar.
    void Edit(const std::string& path, const std::string& body) { Change(path, body, false); }
    void Remove(const std::string& path) { Change(path, items.at(path).body, true); }
    void Add(const std::string& path, const std::string& body) { Change(path, body, false); }

    int Writes() const {
        int n = 0;
        for (const HttpRequest& r : requests)
            n += r.method == "PUT" || r.method == "DELETE" || r.method == "MKCALENDAR";
        return n;
    }
    std::vector<std::string> LiveItems() const {
        std::vector<std::string> live;
        for (const auto& [path, item] : items) {
            if (!item.deleted) live.push_back(path);
        }
        return live;
    }

    std::map<std::string, Item> items;
    std::map<std::string, std::string> calendars;  // path -> display name
    std::vector<HttpRequest> requests;
    std::function<std::optional<HttpAnswer>(const HttpRequest&)> fail;
    std::string password = "secret";

private:
    static HttpAnswer Status(int status, const std::string& body = "") {
        HttpAnswer answer;
        answer.status = status;
        answer.body = body;
        return answer;
    }
    static std::string Header(const HttpRequest& r, const std::string& name) {
        for (const auto& [key, value] : r.headers) {
            if (key == name) return value;
        }
        return "";
    }
    static std::string Between(const std::string& text, const std::string& open, const std::string& close) {
        const std::size_t start = text.find(open);
        if (start == std::string::npos) return "";
        const std::size_t end = text.find(close, start + open.size());
        return text.substr(start + open.size(), end - start - open.size());
    }
    static std::string Etag(int n) { return "\"e" + std::to_string(n) + "\""; }
    static std::string Multistatus(const std::string& inner) {
        return "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" "
               "xmlns:c=\"urn:ietf:params:xml:ns:caldav\">" +
               inner + "</d:multistatus>";
    }
    static std::string Ok(const std::string& href, const std::string& props) {
        return "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop>" + props +
               "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
    }

    void Change(const std::string& path, const std::string& body, bool deleted) {
        Item& item = items[path];
        item.body = body;
        item.deleted = deleted;
        item.etag = item.changedAt = ++clock_;
    }

    HttpAnswer Answer(const HttpRequest& r) {
        if (Header(r, "Authorization") != "Basic " + Base64("alice:" + password)) return Status(401);
        const std::string origin = "http://127.0.0.1:5232";
        if (r.url.rfind(origin, 0) != 0) return Status(404);
        const std::string path = r.url.substr(origin.size());
        if (r.method == "PROPFIND") {
            if (path == "/.well-known/caldav") {
                HttpAnswer moved = Status(301);
                moved.headers.emplace_back("Location", "/");
                return moved;
            }
            if (path == "/" || path == "/alice/") {
                if (Header(r, "Depth") == "0") {
                    return Status(207, Multistatus(Ok(path,
                                                      "<d:current-user-principal><d:href>/alice/</d:href>"
                                                      "</d:current-user-principal><c:calendar-home-set>"
                                                      "<d:href>/alice/</d:href></c:calendar-home-set>")));
                }
                std::string listing = Ok("/alice/", "<d:resourcetype><d:collection/></d:resourcetype>");
                for (const auto& [calendar, name] : calendars) {
                    listing += Ok(calendar,
                                  "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype>"
                                  "<d:displayname>" +
                                      name + "</d:displayname>");
                }
                return Status(207, Multistatus(listing));
            }
            return Status(404);
        }
        if (r.method == "MKCALENDAR") {
            if (calendars.count(path)) return Status(405);
            calendars[path] = Between(r.body, "<d:displayname>", "</d:displayname>");
            return Status(201);
        }
        if (r.method == "REPORT") {
            const std::string token = Between(r.body, "<d:sync-token>", "</d:sync-token>");
            int since = 0;
            if (!token.empty()) {
                if (token.rfind("tok-", 0) != 0) return Status(403);
                since = std::stoi(token.substr(4));
            }
            std::string listing;
            for (const auto& [item, state] : items) {
                if (item.rfind(path, 0) != 0 || state.changedAt <= since) continue;
                if (state.deleted) {
                    if (!token.empty()) {
                        listing += "<d:response><d:href>" + item +
                                   "</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response>";
                    }
                } else {
                    listing += Ok(item, "<d:getetag>" + Etag(state.etag) + "</d:getetag>");
                }
            }
            return Status(207,
                          Multistatus(listing + "<d:sync-token>tok-" + std::to_string(clock_) + "</d:sync-token>"));
        }
        const auto found = items.find(path);
        const bool exists = found != items.end() && !found->second.deleted;
        const std::string ifMatch = Header(r, "If-Match");
        if (!ifMatch.empty() && (!exists || (ifMatch != "*" && ifMatch != Etag(found->second.etag))))
            return Status(412);
        if (r.method == "GET") {
            if (!exists) return Status(404);
            HttpAnswer answer = Status(200, found->second.body);
            answer.headers.emplace_back("ETag", Etag(found->second.etag));
            return answer;
        }
        if (r.method == "PUT") {
            if (Header(r, "If-None-Match") == "*" && exists) return Status(412);
            Change(path, r.body, false);
            HttpAnswer answer = Status(exists ? 204 : 201);
            answer.headers.emplace_back("ETag", Etag(clock_));
            return answer;
        }
        if (r.method == "DELETE") {
            if (!exists) return Status(404);
            Change(path, found->second.body, true);
            return Status(204);
        }
        return Status(405);
    }

    static std::string Base64(const std::string& text) {
        static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        std::string out;
        int bits = 0;
        unsigned value = 0;
        for (const unsigned char c : text) {
            value = ((value << 8) | c) & 0xFFFFu;
            bits += 8;
            while (bits >= 6) out += kDigits[(value >> (bits -= 6)) & 63];
        }
        if (bits > 0) out += kDigits[(value << (6 - bits)) & 63];
        while (out.size() % 4) out += '=';
        return out;
    }

    int clock_ = 0;
};

inline CalendarObject Event(const std::string& id, const std::string& summary, const std::string& date) {
    CalendarObject object;
    object.uid = id + "@tavro-calendar";
    object.name = id + ".ics";
    object.text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:" + object.uid +
                  "\r\nDTSTAMP:20261209T080000Z\r\nSUMMARY:" + summary + "\r\nDTSTART;VALUE=DATE:" + date +
                  "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    return object;
}

inline const std::string kCalendar = "/alice/tavro-calendar/";

}  // namespace caldav_test
