// The program's side of the calendar sync, apart from its window and thread:
// what one sync sends (the settings' account and choices, the password that
// Windows keeps), running it over the files beside the program, and what the
// 设置 page and the tray tip then say about it. The program's files stay the
// source of truth; a sync that could not reach the server changes nothing
// here and is tried again at the next occasion.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "caldav/calendar_sync.h"
#include "caldav/sync_conflict.h"
#include "calendar/gregorian.h"
#include "export/ics_export.h"
#include "festivals/festival_rule.h"

// What is sent, as the 同步 page chose it.
struct SyncContents {
    bool festivals = true, birthdays = true, anniversaries = true, reminders = true;
    int years = 3;  // this year and the ones after it
};

struct SyncRequest {
    CalDavAccount account;  // UTF-8 (the server's address ASCII)
    SyncContents contents;
};

// The settings' account (GBK there) with the password; the calendar's
// default name for an empty one.
SyncRequest SyncRequestFrom(const AppSettings& settings, const std::string& passwordUtf8);
// Whether a server is set at all: without one the program never syncs.
bool SyncWanted(const AppSettings& settings);

// The user's own rules of the kinds chosen (the shipped festivals stay out:
// the phone's calendar has them already).
FestivalList FestivalsToSync(const FestivalList& festivals, const FestivalList& shipped, const SyncContents& contents);

// One sync of the festival and memo files beside the program into the
// account's calendar, from `firstYear` on, its state kept beside the memo
// file. `message` says why it stopped (GBK), as the sync put it or about the
// state file.
struct SyncRun {
    SyncOutcome outcome = SyncOutcome::kDone;
    std::string message;
    SyncResult result;
};
SyncRun RunCalendarSync(HttpClient& client, const SyncRequest& request, const std::filesystem::path& moduleFolder,
                        int firstYear, const IcsStamp& stamp);

// What the program knows of its syncs since it started.
struct SyncStatus {
    bool running = false;
    std::optional<SystemTime> succeeded;  // the last sync that went through
    std::string summary;                  // its "新建N 更新N 删除N 冲突N"
    std::optional<SystemTime> failed;     // the last try that did not, when later
    std::string failure;                  // why (GBK)
    // The conflicts the last sync that went through reported, until the
    // user resolves them or a later sync finds them gone.
    std::vector<SyncChange> conflicts;
};
void RecordSyncRun(SyncStatus& status, const SyncRun& run, const SystemTime& now);

// The 设置 page's line: "上次同步成功：2026-12-09 20:15（新建3 更新0 删除0
// 冲突0）", then the failure of a later try on its own line, or that a sync
// is under way, or that none was made yet. GBK.
std::string SyncStatusText(const SyncStatus& status, bool configured);
// The tray tip's line: "同步：12-09 20:15" or "同步失败：<why>"; empty while
// no server is set. GBK.
std::string SyncTipLine(const SyncStatus& status, bool configured);

// The user's choice about one conflict of the last sync, applied to the
// files beside the program: the sync state and, when the phone's version is
// kept, the memo file, read and saved at once (a file changed meanwhile is
// first copied beside itself, as every memo save does). Made only while no
// sync runs: the sync would write its own state over it. `message` says why
// nothing was done (GBK).
struct ConflictApplied {
    bool done = false;
    bool remindersSaved = false;  // the month, the alerts and 保持更新 follow the memo file
    std::string message;
};
ConflictApplied ApplyConflictChoice(const std::filesystem::path& moduleFolder, const SyncChange& conflict,
                                    ConflictChoice choice, const SystemTime& now, int localOffsetMinutes);
// Whether keeping the phone's version is offered for the conflict, with the
// memo file as it is now (see CanKeepPhoneVersion).
bool ConflictKeepOffered(const std::filesystem::path& moduleFolder, const SyncChange& conflict);
// The status once a conflict is dealt with: it leaves the list.
void ForgetConflict(SyncStatus& status, const std::string& href);
