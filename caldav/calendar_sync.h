// Keeps the user's festivals and memos in one calendar of their CalDAV
// server (RFC 4791), found the way RFC 6764 describes and made with
// MKCALENDAR when missing. Only what changed is sent: the server's
// sync-collection report (RFC 6578) says what changed there since the last
// sync, the state file what the program wrote. The program's files are the
// source of truth, but nothing written on the phone is lost: an event of
// ours changed or deleted there since the last sync is a conflict, reported
// with both versions and left as it is; events others added are not touched.
// Every write is conditional (If-None-Match: * for a new resource, If-Match
// with the ETag for a changed or removed one), so a change made on the server
// between the report and the write is a conflict too, never overwritten.
#pragma once

#include <string>
#include <vector>

#include "caldav/calendar_objects.h"
#include "caldav/http_exchange.h"
#include "caldav/sync_state.h"

struct CalDavAccount {
    std::string server;          // the address the user gave: the server, a principal or the calendar itself
    std::string user, password;  // UTF-8
    std::string calendarName;    // UTF-8, shown on the phone
};

// The calendar's name when the user gives none (GBK, like every text of the core).
extern const char kDefaultCalendarName[];

// Whether the address may carry the password: HTTPS, or plain HTTP to this
// machine's own loopback address.
bool IsAllowedServerAddress(const std::string& url);

enum class SyncChangeKind { kCreated, kUpdated, kDeleted, kConflict };

struct SyncChange {
    SyncChangeKind kind = SyncChangeKind::kCreated;
    std::string label;   // GBK: what and when
    std::string ours;    // UTF-8 object text the program holds; empty when it holds none
    std::string theirs;  // the server's version of a conflict; empty when deleted there
    std::string href;    // a conflict's resource, as the state names it (ResolveConflict)
};

enum class SyncOutcome {
    kDone,         // everything sent (conflicts, if any, are in the changes)
    kRefused,      // the server answered, but no (wrong password, no room, an error)
    kUnreachable,  // no answer: not reached, timed out, cut short
    kBadAnswer,    // an answer no CalDAV server gives
    kBadAddress,   // an address the password may not go to
};

struct SyncResult {
    SyncOutcome outcome = SyncOutcome::kDone;
    std::string message;  // GBK, why it stopped; empty when done
    std::vector<SyncChange> changes;
    bool stateChanged = false;  // the state should be saved (also after a stop part-way)
    int Count(SyncChangeKind kind) const;
};

// One sync of `wanted` (SplitCalendarObjects of the export) into the
// account's calendar. `state` is updated with what was done, even when the
// sync stopped part-way; with `dryRun` nothing is written to the server and
// the changes are those a sync would make.
SyncResult SyncCalendar(HttpClient& client, const CalDavAccount& account, const std::vector<CalendarObject>& wanted,
                        SyncState& state, bool dryRun);

// "新建N 更新N 删除N 冲突N"
std::string SyncSummary(const SyncResult& result);
// One line of a change: "新建 生日：妈妈 2027-09-12" ...
std::string SyncChangeLine(const SyncChange& change);
