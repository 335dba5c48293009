#include "app/calendar_sync_job.h"

#include <algorithm>
#include <cstdio>

#include "base/data_paths.h"
#include "base/file_path.h"
#include "base/text_encoding.h"
#include "caldav/calendar_objects.h"
#include "caldav/sync_state.h"
#include "days/day_data.h"
#include "festivals/shipped_festivals.h"
#include "reminders/reminder_file.h"

namespace {

std::string Stamp(const SystemTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

bool KindWanted(const std::string& kind, const SyncContents& contents) {
    if (kind == kBirthdayKind) return contents.birthdays;
    if (kind == kAnniversaryKind) return contents.anniversaries;
    return contents.festivals;
}

}  // namespace

SyncRequest SyncRequestFrom(const AppSettings& settings, const std::string& passwordUtf8) {
    SyncRequest request;
    request.account.server = settings.syncServer;
    request.account.user = Utf8FromGbk(settings.syncUser);
    request.account.password = passwordUtf8;
    request.account.calendarName =
        Utf8FromGbk(settings.syncCalendar.empty() ? std::string(kDefaultCalendarName) : settings.syncCalendar);
    request.contents = {settings.syncFestivals, settings.syncBirthdays, settings.syncAnniversaries,
                        settings.syncReminders, settings.syncYears};
    return request;
}

bool SyncWanted(const AppSettings& settings) { return !settings.syncServer.empty(); }

FestivalList FestivalsToSync(const FestivalList& festivals, const FestivalList& shipped, const SyncContents& contents) {
    FestivalList chosen;
    for (const FestivalRule& rule : festivals) {
        if (!KindWanted(rule.kind, contents)) continue;
        bool isShipped = false;
        for (const FestivalRule& own : shipped) isShipped = isShipped || own == rule;
        if (!isShipped) chosen.push_back(rule);
    }
    return chosen;
}

SyncRun RunCalendarSync(HttpClient& client, const SyncRequest& request, const std::filesystem::path& moduleFolder,
                        int firstYear, const IcsStamp& stamp) {
    SyncRun run;
    const std::filesystem::path statePath = SyncStatePath(ReminderFilePath(moduleFolder));
    SyncState state;
    if (LoadSyncState(statePath, state) == SyncStateLoad::kDamaged) {
        run.outcome = SyncOutcome::kBadAnswer;
        run.message = "同步记录 " + GbkFromUtf8(Utf8FileName(statePath)) +
                      " 读不了，未同步（移走它，下次同步会与服务器上的事件重新比对）";
        return run;
    }
    DayData days;
    days.LoadFolder(moduleFolder);
    const FestivalList shipped = ShippedFestivals();
    IcsExportChoices choices;
    choices.firstYear = firstYear;
    choices.years = request.contents.years;
    choices.festivals = true;
    choices.ownFestivalsOnly = true;
    choices.reminders = request.contents.reminders;
    const IcsExport exported = ExportIcs(FestivalsToSync(days.festivals(), shipped, request.contents), shipped,
                                         days.reminders(), &days.almanac(), choices, stamp);
    days.Close();
    if (exported.outcome != IcsOutcome::kWritten) {
        run.outcome = SyncOutcome::kRefused;
        run.message = "要同步的事件超过 " + std::to_string(kIcsMaxEvents) + " 个，未同步（请减少同步的年数）";
        return run;
    }
    run.result = SyncCalendar(client, request.account, SplitCalendarObjects(exported.text), state, false);
    run.outcome = run.result.outcome;
    run.message = run.result.message;
    if (run.result.stateChanged && !SaveSyncState(statePath, state)) {
        run.outcome = SyncOutcome::kRefused;
        run.message = "同步记录 " + GbkFromUtf8(Utf8FileName(statePath)) + " 写不进去";
    }
    return run;
}

void RecordSyncRun(SyncStatus& status, const SyncRun& run, const SystemTime& now) {
    status.running = false;
    if (run.outcome == SyncOutcome::kDone) {
        status.succeeded = now;
        status.summary = SyncSummary(run.result);
        status.failed.reset();
        status.failure.clear();
        status.conflicts.clear();
        for (const SyncChange& change : run.result.changes) {
            if (change.kind == SyncChangeKind::kConflict) status.conflicts.push_back(change);
        }
        return;
    }
    status.failed = now;
    status.failure = run.message;
}

std::string SyncStatusText(const SyncStatus& status, bool configured) {
    if (!configured) return "未设置服务器：不同步。";
    std::string text = status.succeeded ? "上次同步成功：" + Stamp(*status.succeeded) + "（" + status.summary + "）"
                                        : std::string("本次运行还没有同步成功过。");
    if (status.failed) text += "\r\n" + Stamp(*status.failed) + " 同步失败：" + status.failure;
    if (status.running) text += "\r\n正在同步……";
    return text;
}

std::string SyncTipLine(const SyncStatus& status, bool configured) {
    if (!configured) return std::string();
    if (status.failed) return "同步失败：" + status.failure;
    if (status.succeeded) return "同步：" + Stamp(*status.succeeded).substr(5);
    return status.running ? "正在同步……" : std::string();
}

ConflictApplied ApplyConflictChoice(const std::filesystem::path& moduleFolder, const SyncChange& conflict,
                                    ConflictChoice choice, const SystemTime& now, int localOffsetMinutes) {
    ConflictApplied applied;
    const std::filesystem::path reminderFile = ReminderFilePath(moduleFolder);
    const std::filesystem::path statePath = SyncStatePath(reminderFile);
    SyncState state;
    if (LoadSyncState(statePath, state) != SyncStateLoad::kRead) {
        applied.message = "同步记录 " + GbkFromUtf8(Utf8FileName(statePath)) + " 读不了，未处理";
        return applied;
    }
    ReminderList reminders;
    FileBaseline loaded;
    if (!LoadReminders(reminderFile, reminders, &loaded)) {
        applied.message = "备忘文件现在读不了，未处理（稍后再试）";
        return applied;
    }
    const ConflictResolved resolved = ResolveConflict(state, conflict, choice, reminders, now, localOffsetMinutes);
    if (resolved == ConflictResolved::kNoConflict) {
        applied.done = true;  // dealt with already: nothing left to do
        return applied;
    }
    if (resolved == ConflictResolved::kNotOffered) {
        applied.message = "手机上删除的是节日，不能存为备忘";
        return applied;
    }
    // The memo file first: a state saved without it would send the old memo
    // over the phone's version at the next sync.
    if (resolved != ConflictResolved::kPutBack) {
        if (!SaveReminders(reminderFile, reminders, now, &loaded)) {
            applied.message = "备忘文件写不进去，未处理";
            return applied;
        }
        applied.remindersSaved = true;
    }
    if (!SaveSyncState(statePath, state)) {
        applied.message = "同步记录 " + GbkFromUtf8(Utf8FileName(statePath)) + " 写不进去";
        return applied;
    }
    applied.done = true;
    return applied;
}

bool ConflictKeepOffered(const std::filesystem::path& moduleFolder, const SyncChange& conflict) {
    ReminderList reminders;
    ReadReminders(ReminderFilePath(moduleFolder), reminders);
    return CanKeepPhoneVersion(conflict, reminders);
}

void ForgetConflict(SyncStatus& status, const std::string& href) {
    status.conflicts.erase(std::remove_if(status.conflicts.begin(), status.conflicts.end(),
                                          [&](const SyncChange& change) { return change.href == href; }),
                           status.conflicts.end());
}
