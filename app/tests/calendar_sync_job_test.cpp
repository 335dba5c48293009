#include "app/calendar_sync_job.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/data_paths.h"
#include "base/file_system.h"
#include "caldav/sync_state.h"
#include "calendar/gregorian.h"
#include "reminders/reminder_file.h"
#include "reminders/reminder_manager_model.h"
#include "tests/support/festival_samples.h"
#include "tests/support/scratch_folder.h"

namespace {

// A server that is never reached, counting the tries.
class NoServer : public HttpClient {
public:
    HttpAnswer Send(const HttpRequest&) override {
        ++sent;
        HttpAnswer answer;
        answer.failure = HttpFailure::kUnreachable;
        answer.detail = "服务器没有接受连接";
        return answer;
    }
    int sent = 0;
};

TEST(CalendarSyncJobTest, OnlyTheUsersOwnRulesOfTheChosenKindsAreSent) {
    const FestivalRule shipped = FestivalSample("YL", "10-1").Name("国庆节");
    const FestivalRule mine = FestivalSample("NL", "1-1").Name("家族聚会");
    const FestivalRule birthday = FestivalSample("NL", "8-12").Name("妈妈").Kind(kBirthdayKind);
    const FestivalRule wedding = FestivalSample("YL", "5-20").Name("结婚").Kind(kAnniversaryKind);
    const FestivalList file{shipped, mine, birthday, wedding};
    const struct {
        const char* what;
        SyncContents contents;
        FestivalList sent;
    } cases[] = {
        {"everything", {true, true, true, true, 3}, {mine, birthday, wedding}},
        {"birthdays only", {false, true, false, true, 3}, {birthday}},
        {"no anniversaries", {true, true, false, false, 3}, {mine, birthday}},
        {"no festivals of any kind", {false, false, false, true, 3}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(FestivalsToSync(file, {shipped}, c.contents), c.sent) << c.what;
}

TEST(CalendarSyncJobTest, TheSettingsAccountGoesOutInUtf8WithTheDefaultCalendarForAnEmptyName) {
    AppSettings settings;
    EXPECT_FALSE(SyncWanted(settings));  // no server: the program never syncs
    EXPECT_EQ(settings.syncCalendar, kDefaultCalendarName);
    EXPECT_EQ(settings.syncYears, 3);
    settings.syncServer = "https://dav.example.com/";
    settings.syncUser = "小明";
    settings.syncCalendar = "";
    settings.syncReminders = false;
    const SyncRequest request = SyncRequestFrom(settings, "p\xC3\xA4ss");
    EXPECT_TRUE(SyncWanted(settings));
    EXPECT_EQ(request.account.server, "https://dav.example.com/");
    EXPECT_EQ(request.account.user, "\xE5\xB0\x8F\xE6\x98\x8E");               // 小明 in UTF-8
    EXPECT_EQ(request.account.calendarName, "Tavro\xE6\x97\xA5\xE5\x8E\x86");  // Tavro日历
    EXPECT_EQ(request.account.password, "p\xC3\xA4ss");
    EXPECT_FALSE(request.contents.reminders);
    EXPECT_TRUE(request.contents.birthdays);
}

TEST(CalendarSyncJobTest, AnUnreachableServerLeavesTheFilesAsTheyWere) {
    ScratchFolder scratch("solvane-sync-job-");
    const std::filesystem::path reminders = ReminderFilePath(scratch.path());
    std::filesystem::create_directories(reminders.parent_path());
    SyncRequest request;
    request.account = {"http://127.0.0.1:9/", "me", "secret", "Tavro"};
    NoServer server;
    const SyncRun run = RunCalendarSync(server, request, scratch.path(), 2026, IcsStamp{});
    EXPECT_EQ(run.outcome, SyncOutcome::kUnreachable);
    EXPECT_NE(run.message.find("服务器没有接受连接"), std::string::npos) << run.message;
    EXPECT_FALSE(std::filesystem::exists(SyncStatePath(reminders)));

    // A state file that cannot be read stops the sync before the server is asked.
    ASSERT_TRUE(ReplaceFileAtomically(SyncStatePath(reminders), "not a state"));
    server.sent = 0;
    const SyncRun damaged = RunCalendarSync(server, request, scratch.path(), 2026, IcsStamp{});
    EXPECT_NE(damaged.outcome, SyncOutcome::kDone);
    EXPECT_NE(damaged.message.find("读不了"), std::string::npos) << damaged.message;
    EXPECT_EQ(server.sent, 0);
    std::string kept;
    ReadWholeFile(SyncStatePath(reminders), kept);
    EXPECT_EQ(kept, "not a state");
}

TEST(CalendarSyncJobTest, ThePageAndTheTipSayWhenTheLastSyncWentThroughAndWhyALaterTryDidNot) {
    SyncStatus status;
    EXPECT_EQ(SyncStatusText(status, false), "未设置服务器：不同步。");
    EXPECT_EQ(SyncTipLine(status, false), "");
    EXPECT_EQ(SyncStatusText(status, true), "本次运行还没有同步成功过。");
    status.running = true;
    EXPECT_EQ(SyncTipLine(status, true), "正在同步……");

    SyncRun done;
    done.result.changes.resize(3);  // three new events
    RecordSyncRun(status, done, SystemTimeAt(2026, 12, 9, 20, 15));
    EXPECT_EQ(SyncStatusText(status, true), "上次同步成功：2026-12-09 20:15（新建3 更新0 删除0 冲突0）");
    EXPECT_EQ(SyncTipLine(status, true), "同步：12-09 20:15");

    SyncRun refused;
    refused.outcome = SyncOutcome::kRefused;
    refused.message = "服务器不接受这个用户名和密码（401）";
    RecordSyncRun(status, refused, SystemTimeAt(2026, 12, 9, 20, 45));
    EXPECT_EQ(SyncStatusText(status, true),
              "上次同步成功：2026-12-09 20:15（新建3 更新0 删除0 冲突0）\r\n"
              "2026-12-09 20:45 同步失败：服务器不接受这个用户名和密码（401）");
    EXPECT_EQ(SyncTipLine(status, true), "同步失败：服务器不接受这个用户名和密码（401）");

    // The next sync that goes through clears the failure.
    RecordSyncRun(status, SyncRun{}, SystemTimeAt(2026, 12, 9, 21, 15));
    EXPECT_EQ(SyncStatusText(status, true), "上次同步成功：2026-12-09 21:15（新建0 更新0 删除0 冲突0）");
}

TEST(CalendarSyncJobTest, TheLastSyncsConflictsAreKeptUntilDealtWithOrALaterSyncGoesThrough) {
    SyncStatus status;
    SyncRun run;
    run.result.changes = {{SyncChangeKind::kCreated, "a", "", "", ""},
                          {SyncChangeKind::kConflict, "b", "ours", "", "/c/b.ics"},
                          {SyncChangeKind::kConflict, "c", "ours", "theirs", "/c/c.ics"}};
    RecordSyncRun(status, run, SystemTimeAt(2026, 12, 9, 20, 15));
    ASSERT_EQ(status.conflicts.size(), 2u);
    SyncRun failed;
    failed.outcome = SyncOutcome::kUnreachable;
    RecordSyncRun(status, failed, SystemTimeAt(2026, 12, 9, 20, 45));
    EXPECT_EQ(status.conflicts.size(), 2u) << "a try that did not go through says nothing of them";
    ForgetConflict(status, "/c/b.ics");
    ASSERT_EQ(status.conflicts.size(), 1u);
    EXPECT_EQ(status.conflicts[0].label, "c");
    RecordSyncRun(status, SyncRun{}, SystemTimeAt(2026, 12, 9, 21, 15));
    EXPECT_TRUE(status.conflicts.empty());
}

TEST(CalendarSyncJobTest, KeepingThePhonesVersionSavesTheMemoFileAndTheStateTogether) {
    ScratchFolder scratch("solvane-sync-conflict-");
    const std::filesystem::path file = ReminderFilePath(scratch.path());
    std::filesystem::create_directories(file.parent_path());
    SystemTime now = SystemTimeAt(2026, 12, 9, 20, 15);
    now.second = 17;
    const SyncChange conflict{SyncChangeKind::kConflict, "Lunch", "",
                              "BEGIN:VEVENT\r\nUID:x@phone\r\nSUMMARY:Lunch with Li\r\n"
                              "DTSTART:20270110T040000Z\r\nEND:VEVENT\r\n",
                              "/c/x.ics"};

    const ConflictApplied noState =
        ApplyConflictChoice(scratch.path(), conflict, ConflictChoice::kKeepPhones, now, 480);
    EXPECT_FALSE(noState.done);
    EXPECT_FALSE(std::filesystem::exists(file)) << "nothing is written without the state it belongs to";

    SyncState state;
    state.resources.push_back(SyncedResource{"/c/x.ics", "\"7\"", "hash", true, "Lunch"});
    ASSERT_TRUE(SaveSyncState(SyncStatePath(file), state));
    const ConflictApplied kept = ApplyConflictChoice(scratch.path(), conflict, ConflictChoice::kKeepPhones, now, 480);
    ASSERT_TRUE(kept.done) << kept.message;
    EXPECT_TRUE(kept.remindersSaved);
    ReminderList memos;
    ASSERT_TRUE(LoadReminders(file, memos));
    ASSERT_EQ(memos.size(), 1u);
    EXPECT_EQ(ReminderText(memos[0]), "Lunch with Li");
    EXPECT_EQ(memos[0].start.hour, 12);
    SyncState saved;
    ASSERT_EQ(LoadSyncState(SyncStatePath(file), saved), SyncStateLoad::kRead);
    ASSERT_EQ(saved.resources.size(), 1u);
    EXPECT_FALSE(saved.resources[0].conflict);
    EXPECT_EQ(saved.resources[0].etag, "\"7\"") << "the next write goes over the phone's version";

    const ConflictApplied again = ApplyConflictChoice(scratch.path(), conflict, ConflictChoice::kKeepPhones, now, 480);
    EXPECT_TRUE(again.done);
    EXPECT_FALSE(again.remindersSaved);
    ASSERT_TRUE(LoadReminders(file, memos));
    EXPECT_EQ(memos.size(), 1u) << "a choice made twice adds no second memo";
}

}  // namespace
