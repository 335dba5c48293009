#include "caldav/calendar_sync.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <map>
#include <optional>
#include <thread>

#include "base/text_encoding.h"
#include "caldav/dav_answer.h"

const char kDefaultCalendarName[] = "Tavro日历";

namespace {

constexpr int kMostRedirects = 5;
// Before a request that got no answer at all is sent again.
constexpr std::chrono::milliseconds kRetryPause{500};

const char kXmlHead[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
const char kNamespaces[] = " xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"";

struct Url {
    std::string scheme, host, path;  // host with its port; path with its query
    std::string Origin() const { return scheme + "://" + host; }
};

std::optional<Url> ParseUrl(const std::string& text) {
    const std::size_t colon = text.find("://");
    if (colon == std::string::npos) return std::nullopt;
    Url url;
    url.scheme = text.substr(0, colon);
    for (char& c : url.scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t slash = text.find('/', colon + 3);
    url.host = text.substr(colon + 3, slash == std::string::npos ? std::string::npos : slash - colon - 3);
    url.path = slash == std::string::npos ? "/" : text.substr(slash);
    if (url.host.empty() || url.host.find_first_of("@ \t\r\n") != std::string::npos) return std::nullopt;
    return url;
}

// The host without its port and brackets.
std::string HostName(const std::string& host) {
    if (!host.empty() && host[0] == '[') return host.substr(1, host.find(']') - 1);
    std::string name = host.substr(0, host.find(':'));
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

bool IsLoopback(const std::string& host) {
    const std::string name = HostName(host);
    if (name == "localhost" || name == "::1") return true;
    // 127.0.0.0/8, written as four decimal numbers.
    if (name.rfind("127.", 0) != 0) return false;
    int dots = 0;
    for (const char c : name) {
        if (c == '.') {
            ++dots;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return dots == 3;
}

// A reference of an answer (href, Location) against the address it came from.
std::string Resolve(const std::string& base, const std::string& reference) {
    if (reference.find("://") != std::string::npos) return reference;
    const std::optional<Url> url = ParseUrl(base);
    if (!url) return reference;
    if (reference.rfind("//", 0) == 0) return url->scheme + ":" + reference;
    if (!reference.empty() && reference[0] == '/') return url->Origin() + reference;
    std::string folder = url->path.substr(0, url->path.find('?'));
    folder = folder.substr(0, folder.rfind('/') + 1);
    return url->Origin() + folder + reference;
}

std::string PercentDecoded(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// What makes two hrefs the same resource, however the server wrote them.
std::string HrefKey(const std::string& href) {
    const std::optional<Url> url = ParseUrl(href);
    return PercentDecoded(url ? url->path : href);
}

std::string PathOf(const std::string& address) {
    const std::optional<Url> url = ParseUrl(address);
    return url ? url->path : address;
}

std::string XmlEscaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Base64(const std::string& bytes) {
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            group = (group << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        }
        for (std::size_t k = 0; k < 4; ++k) out += k <= n ? kDigits[(group >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

std::string Gbk(const std::string& utf8) { return GbkFromUtf8(utf8); }

bool IsRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The requests of one sync, with its account's credentials, redirects and
// the reason it stopped.
class Session {
public:
    Session(HttpClient& client, const CalDavAccount& account, SyncResult& result)
        : client_(client),
          result_(result),
          authorization_("Basic " + Base64(account.user + ":" + account.password)),
          origin_(ParseUrl(account.server) ? ParseUrl(account.server)->Origin() : std::string()) {}

    // Sends the request, following redirects to allowed addresses; false
    // when it stopped (no answer, a refused login, a bad address), with the
    // reason in the result. `address` becomes the address that answered.
    bool Send(const std::string& method, std::string& address, HttpHeaders headers, const std::string& body,
              HttpAnswer& answer) {
        for (int redirects = 0;; ++redirects) {
            if (!IsAllowedServerAddress(address)) {
                return Stop(SyncOutcome::kBadAddress, "服务器把请求转到了不安全的地址：" + address);
            }
            HttpRequest request{method, address, headers, body};
            const std::optional<Url> url = ParseUrl(address);
            // The password goes only to the server the user named.
            if (url && url->Origin() == origin_) request.headers.emplace_back("Authorization", authorization_);
            answer = client_.Send(request);
            // A connection that ended before any answer, most often a kept-alive
            // one the server had closed, is tried once more on a fresh one.
            // Repeating is safe: reads change nothing, and every write is
            // conditional (If-None-Match: * or If-Match), so one that did reach
            // the server the first time meets 412 instead of writing twice.
            // MKCALENDAR is not conditional (a repeat of one that was made
            // would make a second calendar of the name): the next sync finds
            // the calendar by its name instead.
            if (answer.failure == HttpFailure::kDropped && method != "MKCALENDAR") {
                std::this_thread::sleep_for(kRetryPause);
                answer = client_.Send(request);
            }
            if (answer.failure != HttpFailure::kNone) return Failed(answer, address);
            if (answer.status == 401) {
                return Stop(SyncOutcome::kRefused, "服务器不接受这个用户名和密码（401）");
            }
            if (!IsRedirect(answer.status) || answer.Header("Location").empty()) return true;
            if (redirects == kMostRedirects) return Stop(SyncOutcome::kBadAnswer, "服务器转来转去，次数太多");
            address = Resolve(address, answer.Header("Location"));
        }
    }

    // A request whose answer must be a multistatus.
    bool Multistatus(const std::string& method, std::string& address, const char* depth, const std::string& body,
                     HttpAnswer& answer, DavMultistatus& read) {
        if (!Send(method, address, {{"Depth", depth}, {"Content-Type", "application/xml; charset=utf-8"}}, body,
                  answer)) {
            return false;
        }
        if (answer.status != 207) return true;  // the caller judges other statuses
        std::string error;
        std::optional<DavMultistatus> parsed = ReadDavMultistatus(answer.body, &error);
        if (!parsed)
            return Stop(SyncOutcome::kBadAnswer,
                        "服务器的答复读不懂（" + method + " " + PathOf(address) + "）：" + error);
        read = std::move(*parsed);
        return true;
    }

    bool Refused(const HttpAnswer& answer, const std::string& what) {
        std::string why;
        switch (answer.status) {
            case 403:
                why = "服务器不允许";
                break;
            case 404:
                why = "服务器上没有";
                break;
            case 412:
                why = "服务器上的版本已变";
                break;
            case 507:
                why = "服务器上的空间已满";
                break;
            default:
                why = answer.status >= 500 ? "服务器出错" : "服务器拒绝了";
        }
        return Stop(SyncOutcome::kRefused, why + "：" + what + "（" + std::to_string(answer.status) + "）");
    }

    bool Stop(SyncOutcome outcome, const std::string& message) {
        result_.outcome = outcome;
        result_.message = message;
        return false;
    }

private:
    bool Failed(const HttpAnswer& answer, const std::string& address) {
        const std::optional<Url> url = ParseUrl(address);
        const std::string host = url ? url->host : address;
        switch (answer.failure) {
            case HttpFailure::kTimedOut:
                return Stop(SyncOutcome::kUnreachable, "服务器 " + host + " 久无答复，已放弃");
            case HttpFailure::kTooLarge:
                return Stop(SyncOutcome::kBadAnswer,
                            "服务器 " + host + " 的答复太大（超过 " + std::to_string(kHttpAnswerLimit >> 20) + " MB）");
            case HttpFailure::kCutShort:
            case HttpFailure::kDropped:
                return Stop(SyncOutcome::kUnreachable, "与服务器 " + host + " 的连接中途断开");
            case HttpFailure::kInsecure:
                return Stop(SyncOutcome::kRefused, "服务器 " + host + " 的证书未通过验证，不连接");
            default:
                return Stop(SyncOutcome::kUnreachable,
                            "连不上服务器 " + host + (answer.detail.empty() ? "" : "：" + answer.detail));
        }
    }

    HttpClient& client_;
    SyncResult& result_;
    std::string authorization_;
    std::string origin_;
};

std::string PropfindBody(std::initializer_list<const char*> properties) {
    std::string body = std::string(kXmlHead) + "<d:propfind" + kNamespaces + "><d:prop>";
    for (const char* property : properties) body += std::string("<") + property + "/>";
    return body + "</d:prop></d:propfind>";
}

std::string WithSlash(std::string address) {
    if (address.empty() || address.back() != '/') address += '/';
    return address;
}

// A name for a calendar the program makes: the default's readable, another's
// from its bytes.
std::string CalendarSlug(const std::string& nameUtf8, int attempt) {
    std::string slug = "tavro-calendar";
    if (nameUtf8 != Utf8FromGbk(kDefaultCalendarName)) {
        std::uint32_t hash = 2166136261u;
        for (const unsigned char c : nameUtf8) hash = (hash ^ c) * 16777619u;
        slug += "-" + std::to_string(hash);
    }
    return attempt == 0 ? slug : slug + "-" + std::to_string(attempt + 1);
}

// The calendar of the account: RFC 6764's way from the address the user gave
// (itself a calendar, a principal, or a server root with /.well-known/caldav)
// to the principal, its calendar home and the calendar of that name, made
// when the home has none. In a dry run nothing is made: false with the
// address empty.
bool FindCalendar(Session& session, const CalDavAccount& account, bool dryRun, std::string& calendar) {
    const std::string ask = PropfindBody({"d:current-user-principal", "c:calendar-home-set", "d:resourcetype"});
    HttpAnswer answer;
    DavMultistatus read;
    std::string address = account.server;
    if (!session.Multistatus("PROPFIND", address, "0", ask, answer, read)) return false;
    std::string principal, home;
    if (answer.status == 207) {
        for (const DavResponse& r : read.responses) {
            if (r.found.isCalendar && HrefKey(Resolve(address, r.href)) == HrefKey(address)) {
                calendar = WithSlash(address);  // the user named the calendar itself
                return true;
            }
            if (!r.found.principal.empty() && principal.empty()) principal = Resolve(address, r.found.principal);
            if (!r.found.calendarHome.empty() && home.empty()) home = Resolve(address, r.found.calendarHome);
        }
    }
    if (principal.empty() && home.empty()) {
        const std::optional<Url> url = ParseUrl(account.server);
        address = url->Origin() + "/.well-known/caldav";
        if (!session.Multistatus("PROPFIND", address, "0", ask, answer, read)) return false;
        if (answer.status == 207) {
            for (const DavResponse& r : read.responses) {
                if (!r.found.principal.empty() && principal.empty()) principal = Resolve(address, r.found.principal);
            }
        }
        if (principal.empty()) {
            return session.Stop(SyncOutcome::kBadAnswer, "在 " + account.server + " 找不到日历服务（CalDAV）");
        }
    }
    if (home.empty()) {
        address = principal;
        if (!session.Multistatus("PROPFIND", address, "0", PropfindBody({"c:calendar-home-set"}), answer, read)) {
            return false;
        }
        if (answer.status != 207) return session.Refused(answer, "查找日历所在的位置");
        for (const DavResponse& r : read.responses) {
            if (!r.found.calendarHome.empty() && home.empty()) home = Resolve(address, r.found.calendarHome);
        }
        if (home.empty()) return session.Stop(SyncOutcome::kBadAnswer, "服务器没有说日历放在哪里（calendar-home-set）");
    }
    address = home;
    if (!session.Multistatus("PROPFIND", address, "1",
                             PropfindBody({"d:resourcetype", "d:displayname", "c:supported-calendar-component-set"}),
                             answer, read)) {
        return false;
    }
    if (answer.status != 207) return session.Refused(answer, "列出服务器上的日历");
    for (const DavResponse& r : read.responses) {
        const DavProperties& p = r.found;
        const bool events =
            p.components.empty() || std::find(p.components.begin(), p.components.end(), "VEVENT") != p.components.end();
        if (p.isCalendar && events && p.displayName == account.calendarName) {
            calendar = WithSlash(Resolve(address, r.href));
            return true;
        }
    }
    if (dryRun) return false;
    const std::string make = std::string(kXmlHead) + "<c:mkcalendar" + kNamespaces + "><d:set><d:prop><d:displayname>" +
                             XmlEscaped(account.calendarName) +
                             "</d:displayname><c:supported-calendar-component-set><c:comp name=\"VEVENT\"/>"
                             "</c:supported-calendar-component-set></d:prop></d:set></c:mkcalendar>";
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::string target = WithSlash(home) + CalendarSlug(account.calendarName, attempt) + "/";
        if (!session.Send("MKCALENDAR", target, {{"Content-Type", "application/xml; charset=utf-8"}}, make, answer)) {
            return false;
        }
        if (answer.status == 201 || answer.status == 200) {
            calendar = target;
            return true;
        }
        // Taken by a collection of another name: the next slug.
        if (answer.status != 405 && answer.status != 409) break;
    }
    return session.Refused(answer, "新建日历“" + Gbk(account.calendarName) + "”");
}

// What the server says changed in the calendar since the token.
struct ServerMember {
    std::string href, etag;
    bool removed = false;
};
struct ServerChanges {
    bool full = false;  // every member is listed: one not listed is gone
    std::string token;
    std::map<std::string, ServerMember> members;  // by HrefKey
};

bool ReadChanges(Session& session, const std::string& calendar, const std::string& token, ServerChanges& changes) {
    const std::string ask = std::string(kXmlHead) + "<d:sync-collection" + kNamespaces + "><d:sync-token>" +
                            XmlEscaped(token) +
                            "</d:sync-token><d:sync-level>1</d:sync-level>"
                            "<d:prop><d:getetag/></d:prop></d:sync-collection>";
    HttpAnswer answer;
    DavMultistatus read;
    std::string address = calendar;
    if (!session.Multistatus("REPORT", address, "0", ask, answer, read)) return false;
    if (answer.status != 207 && !token.empty() && answer.status >= 400 && answer.status < 500) {
        // A token the server no longer knows (RFC 6578's valid-sync-token):
        // everything is listed again.
        return ReadChanges(session, calendar, "", changes);
    }
    changes.full = token.empty();
    if (answer.status != 207) {
        // A server without sync-collection: the members and their ETags.
        if (answer.status < 400 || answer.status >= 500) return session.Refused(answer, "读取日历的改动");
        address = calendar;
        if (!session.Multistatus("PROPFIND", address, "1", PropfindBody({"d:getetag"}), answer, read)) return false;
        if (answer.status != 207) return session.Refused(answer, "列出日历里的事件");
        changes.full = true;
    }
    changes.token = read.syncToken;
    const std::string self = HrefKey(calendar);
    for (const DavResponse& r : read.responses) {
        const std::string key = HrefKey(Resolve(address, r.href));
        if (key == self || HrefKey(WithSlash(Resolve(address, r.href))) == self) continue;
        ServerMember member{r.href, r.found.etag, r.status == 404};
        changes.members[key] = member;
    }
    return true;
}

}  // namespace

bool IsAllowedServerAddress(const std::string& address) {
    const std::optional<Url> url = ParseUrl(address);
    if (!url) return false;
    return url->scheme == "https" || (url->scheme == "http" && IsLoopback(url->host));
}

int SyncResult::Count(SyncChangeKind kind) const {
    return static_cast<int>(
        std::count_if(changes.begin(), changes.end(), [&](const SyncChange& change) { return change.kind == kind; }));
}

std::string SyncSummary(const SyncResult& result) {
    return "新建" + std::to_string(result.Count(SyncChangeKind::kCreated)) + " 更新" +
           std::to_string(result.Count(SyncChangeKind::kUpdated)) + " 删除" +
           std::to_string(result.Count(SyncChangeKind::kDeleted)) + " 冲突" +
           std::to_string(result.Count(SyncChangeKind::kConflict));
}

std::string SyncChangeLine(const SyncChange& change) {
    switch (change.kind) {
        case SyncChangeKind::kCreated:
            return "新建 " + change.label;
        case SyncChangeKind::kUpdated:
            return "更新 " + change.label;
        case SyncChangeKind::kDeleted:
            return "删除 " + change.label;
        default:
            break;
    }
    if (change.theirs.empty()) return "冲突 " + change.label + "：手机上已删除，未放回";
    return "冲突 " + change.label + "：手机上已改为“" + Gbk(CalendarObjectLabel(change.theirs)) + "”，未覆盖";
}

SyncResult SyncCalendar(HttpClient& client, const CalDavAccount& account, const std::vector<CalendarObject>& wanted,
                        SyncState& state, bool dryRun) {
    SyncResult result;
    if (!IsAllowedServerAddress(account.server)) {
        result.outcome = SyncOutcome::kBadAddress;
        result.message = "服务器地址须以 https:// 开头（本机的 http:// 地址除外）：" + account.server;
        return result;
    }
    // Another account or calendar starts afresh; the state is marked for
    // saving only once the new calendar is found, so that a sync that could
    // not reach it leaves the saved state as it was.
    if (state.server != account.server || state.user != account.user || state.calendarName != account.calendarName) {
        state = SyncState{account.server, account.user, account.calendarName, "", "", {}};
    }
    Session session(client, account, result);
    if (state.calendarUrl.empty()) {
        std::string calendar;
        if (!FindCalendar(session, account, dryRun, calendar)) {
            if (result.outcome != SyncOutcome::kDone || !dryRun) return result;
            // A dry run against a calendar still to be made: all of it is new.
            for (const CalendarObject& object : wanted) {
                result.changes.push_back(
                    {SyncChangeKind::kCreated, Gbk(CalendarObjectLabel(object.text)), object.text, "", ""});
            }
            return result;
        }
        state.calendarUrl = calendar;
        state.syncToken.clear();
        result.stateChanged = true;
    }
    const std::string& calendar = state.calendarUrl;
    const auto Address = [&](const std::string& href) { return Resolve(calendar, href); };
    ServerChanges changes;
    if (!ReadChanges(session, calendar, state.syncToken, changes)) return result;

    std::map<std::string, const CalendarObject*> wantedByKey;
    for (const CalendarObject& object : wanted) wantedByKey[HrefKey(Address(PathOf(calendar) + object.name))] = &object;
    const auto WantedOf = [&](const SyncedResource& r) -> const CalendarObject* {
        const auto found = wantedByKey.find(HrefKey(Address(r.href)));
        return found == wantedByKey.end() ? nullptr : found->second;
    };

    // The server's version of a resource: false when the sync stopped;
    // `theirs` stays empty when it is gone.
    const auto Fetch = [&](const std::string& href, std::string& theirs, std::string& etag) {
        HttpAnswer answer;
        std::string address = Address(href);
        if (!session.Send("GET", address, {}, "", answer)) return false;
        if (answer.status == 404 || answer.status == 410) return true;
        if (answer.status != 200) return session.Refused(answer, "读取 " + PathOf(address));
        theirs = answer.body;
        etag = answer.Header("ETag");
        return true;
    };
    const auto Conflict = [&](SyncedResource& r, const CalendarObject* ours, const std::string& theirs) {
        r.conflict = true;
        result.changes.push_back({SyncChangeKind::kConflict, r.label, ours ? ours->text : "", theirs, r.href});
    };

    // 1. What happened on the server to the resources the program wrote.
    std::vector<SyncedResource> kept;
    for (SyncedResource r : state.resources) {
        const CalendarObject* ours = WantedOf(r);
        const auto member = changes.members.find(HrefKey(Address(r.href)));
        const bool listed = member != changes.members.end();
        const bool removed = (listed && member->second.removed) || (changes.full && !listed);
        const bool changed = listed && !member->second.removed && member->second.etag != r.etag;
        std::string theirs, etag;
        if (!removed && (changed || r.conflict)) {
            if (!Fetch(r.href, theirs, etag)) return result;
            if (etag.empty() && listed) etag = member->second.etag;
        }
        if (removed || ((changed || r.conflict) && theirs.empty())) {
            result.stateChanged = true;
            if (!ours) continue;  // gone on both sides
            r.etag.clear();
            Conflict(r, ours, "");
        } else if (changed || r.conflict) {
            const std::string hash = CalendarContentHash(theirs);
            if (hash != r.hash && !(ours && hash == CalendarContentHash(ours->text))) {
                Conflict(r, ours, theirs);
            } else {
                // What the program wrote (its own write, or the phone's edit
                // undone), or already what it holds now.
                r.conflict = false;
                r.hash = hash;
            }
            if (r.etag != etag) result.stateChanged = true;
            r.etag = etag;
        }
        kept.push_back(r);
    }
    state.resources = kept;
    if (state.syncToken != changes.token) {
        state.syncToken = changes.token;
        result.stateChanged = true;
    }

    // 2. The program's changes, each written only over the version it knows.
    const auto Write = [&](const std::string& method, const std::string& href, const std::string& etag,
                           const CalendarObject* object, HttpAnswer& answer) {
        std::string address = Address(href);
        HttpHeaders headers;
        if (!etag.empty()) {
            headers.emplace_back("If-Match", etag);
        } else if (method == "PUT") {
            headers.emplace_back("If-None-Match", "*");
        }
        if (object) headers.emplace_back("Content-Type", "text/calendar; charset=utf-8");
        return session.Send(method, address, headers, object ? object->text : "", answer);
    };
    std::vector<SyncedResource> next;
    bool stopped = false;
    for (std::size_t i = 0; i < state.resources.size(); ++i) {
        SyncedResource& r = state.resources[i];
        const CalendarObject* ours = WantedOf(r);
        if (stopped || r.conflict || (ours && CalendarContentHash(ours->text) == r.hash)) {
            next.push_back(r);
            continue;
        }
        const SyncChangeKind kind = ours ? SyncChangeKind::kUpdated : SyncChangeKind::kDeleted;
        const std::string label = ours ? Gbk(CalendarObjectLabel(ours->text)) : r.label;
        if (dryRun) {
            result.changes.push_back({kind, label, ours ? ours->text : "", "", ""});
            next.push_back(r);
            continue;
        }
        HttpAnswer answer;
        bool sent = false;
        for (int attempt = 0; attempt < 2; ++attempt) {
            // A resource whose ETag the server never gave is replaced only if it still exists.
            sent = Write(ours ? "PUT" : "DELETE", r.href, r.etag.empty() ? "*" : r.etag, ours, answer);
            if (!sent || answer.status != 412) break;
            // Changed since the report: a conflict, unless it still says what
            // the program wrote (the server gave it a new ETag alone), when
            // the write is tried once more over that ETag.
            std::string theirs, etag;
            if (!(sent = Fetch(r.href, theirs, etag))) break;
            if (!ours && theirs.empty()) {
                answer.status = 404;  // deleted there too
                break;
            }
            const bool same = !theirs.empty() && CalendarContentHash(theirs) == r.hash;
            r.etag = etag;
            result.stateChanged = true;
            if (ours && !theirs.empty() && CalendarContentHash(theirs) == CalendarContentHash(ours->text)) {
                // Already what the program holds: this very write, sent again
                // after its first answer was lost.
                answer.status = 200;
                answer.headers = {{"ETag", etag}};
                break;
            }
            if (!same || attempt == 1) {
                Conflict(r, ours, theirs);
                break;
            }
        }
        if (!sent) {
            stopped = true;
            next.push_back(r);
            continue;
        }
        if (r.conflict) {
            next.push_back(r);
            continue;
        }
        if (!ours && (answer.status == 404 || answer.status == 410 || (answer.status >= 200 && answer.status < 300))) {
            result.changes.push_back({kind, label, "", "", ""});
            result.stateChanged = true;
            continue;  // deleted
        }
        if (ours && answer.status >= 200 && answer.status < 300) {
            r.etag = answer.Header("ETag");
            r.hash = CalendarContentHash(ours->text);
            r.label = label;
            result.changes.push_back({kind, label, ours->text, "", ""});
            result.stateChanged = true;
            next.push_back(r);
            continue;
        }
        session.Refused(answer, (ours ? "更新 " : "删除 ") + label);
        stopped = true;
        next.push_back(r);
    }
    state.resources = next;
    if (stopped) return result;

    // 3. New events.
    for (const CalendarObject& object : wanted) {
        const std::string href = PathOf(calendar) + object.name;
        if (state.Find(href)) continue;
        if (std::any_of(state.resources.begin(), state.resources.end(),
                        [&](const SyncedResource& r) { return HrefKey(Address(r.href)) == HrefKey(Address(href)); })) {
            continue;
        }
        const std::string label = Gbk(CalendarObjectLabel(object.text));
        if (dryRun) {
            result.changes.push_back({SyncChangeKind::kCreated, label, object.text, "", ""});
            continue;
        }
        HttpAnswer answer;
        if (!Write("PUT", href, "", &object, answer)) return result;
        SyncedResource r{href, answer.Header("ETag"), CalendarContentHash(object.text), false, label};
        if (answer.status == 412) {
            // Already there: written by an earlier sync whose state was lost,
            // or by someone else under our name. Taken over only if it says
            // what the program holds.
            std::string theirs, etag;
            if (!Fetch(href, theirs, etag)) return result;
            r.etag = etag;
            if (CalendarContentHash(theirs) != r.hash) Conflict(r, &object, theirs);
        } else if (answer.status >= 200 && answer.status < 300) {
            result.changes.push_back({SyncChangeKind::kCreated, label, object.text, "", ""});
        } else {
            session.Refused(answer, "新建 " + label);
            return result;
        }
        state.resources.push_back(r);
        result.stateChanged = true;
    }
    return result;
}
