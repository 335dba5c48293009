// What a WebDAV server answers to PROPFIND and REPORT (RFC 4918's
// multistatus, with the CalDAV and sync-collection properties the sync asks
// for), read with expat. A document type declaration is refused: no server
// needs one, and its entities are the way to blow a small answer up.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The properties of one resource that came with a 2xx status.
struct DavProperties {
    std::string etag;          // DAV:getetag, as sent (quotes and all)
    std::string displayName;   // DAV:displayname, UTF-8
    std::string calendarData;  // CALDAV:calendar-data
    std::string principal;     // the href of DAV:current-user-principal
    std::string calendarHome;  // the first href of CALDAV:calendar-home-set
    bool isCalendar = false;   // DAV:resourcetype holds CALDAV:calendar
    bool isCollection = false;
    // The names of CALDAV:supported-calendar-component-set (VEVENT, VTODO ...);
    // empty when the server did not say.
    std::vector<std::string> components;
};

struct DavResponse {
    std::string href;  // as sent, percent-encoded
    int status = 0;    // the response's own status line (a removed member: 404); 0 when it has propstats
    DavProperties found;
};

struct DavMultistatus {
    std::vector<DavResponse> responses;
    std::string syncToken;  // DAV:sync-token of a sync-collection report
};

// The most responses taken from one answer; more is a broken server.
inline constexpr std::size_t kDavMaxResponses = 100000;

// The answer, or nothing with the reason in `error` when it is no well-formed
// multistatus (or holds a document type declaration, or too many responses).
std::optional<DavMultistatus> ReadDavMultistatus(std::string_view xml, std::string* error);

// The status code of an HTTP status line ("HTTP/1.1 404 Not Found" -> 404); 0 when none.
int DavStatusCode(std::string_view line);
