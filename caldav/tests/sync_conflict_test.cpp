#include "caldav/sync_conflict.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "caldav/tests/fake_caldav_server.h"
#include "export/ics_export.h"
#include "reminders/reminder_manager_model.h"

namespace {

using caldav_test::Event;
using caldav_test::FakeServer;
using caldav_test::kCalendar;

constexpr int kChina = 480;  // minutes east of UTC

SystemTime Clock() {
    SystemTime now = SystemTimeAt(2026, 12, 9, 20, 15);
    now.dayOfWeek = 3;
    now.second = 17;
    now.milliseconds = 250;
    return now;
}

Reminder Memo(const std::string& text, int year, int month, int day, int hour, int minute, ReminderAlert alert) {
    Reminder memo = NewReminder(SystemTimeAt(year, month, day, 0, 0), false, Clock());
    memo.start.hour = static_cast<std::uint16_t>(hour);
    memo.start.minute = static_cast<std::uint16_t>(minute);
    memo.firstAlert = alert;
    SetReminderText(memo, text);
    return memo;
}

std::string PhoneEvent(const std::string& uid, const std::string& summary, const std::string& start,
                       const std::string& trigger) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
           "\r\nDTSTAMP:20261210T010000Z\r\nSUMMARY:" + summary + "\r\n" + start +
           "\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:" + trigger +
           "\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

const HttpRequest* LastWrite(const FakeServer& server, std::size_t from) {
    const HttpRequest* last = nullptr;
    for (std::size_t i = from; i < server.requests.size(); ++i) {
        if (server.requests[i].method == "PUT" || server.requests[i].method == "DELETE") last = &server.requests[i];
    }
    return last;
}

std::string HeaderOf(const HttpRequest& request, const std::string& name) {
    for (const auto& [key, value] : request.headers) {
        if (key == name) return value;
    }
    return "";
}

// The memo file and the festival occurrence the program syncs, the phone
// that changes them, and the choices the user makes.
class SyncConflict : public ::testing::Test {
protected:
    SyncConflict() {
        account = {"http://127.0.0.1:5232/", "alice", "secret", Utf8FromGbk(kDefaultCalendarName)};
        memos = {Memo("Dentist", 2027, 1, 5, 9, 0, ReminderAlert::k15Minutes)};
    }
    std::vector<CalendarObject> Wanted() const {
        IcsExportChoices choices;
        choices.firstYear = 2027;
        choices.years = 1;
        choices.festivals = false;
        std::vector<CalendarObject> wanted = {Event("f1-20270912", "Birthday", "20270912")};
        for (CalendarObject& object : SplitCalendarObjects(ExportIcs({}, {}, memos, nullptr, choices, {}).text)) {
            wanted.push_back(std::move(object));
        }
        return wanted;
    }
    SyncResult Sync() { return SyncCalendar(server, account, Wanted(), state, false); }
    std::string MemoPath() const { return kCalendar + Wanted()[1].name; }

    FakeServer server;
    CalDavAccount account;
    ReminderList memos;
    SyncState state;
};

TEST_F(SyncConflict, EachChoiceMakesTheNextSyncSendExactlyWhatThePhoneShouldNowHoldAndTheOneAfterNothing) {
    const std::string festival = kCalendar + "f1-20270912.ics";
    const struct {
        const char* what;
        bool memo;     // the memo's event, else the festival's occurrence
        bool deleted;  // deleted on the phone, else changed there
        ConflictChoice choice;
        ConflictResolved resolved;
        const char* summary;   // what the third sync says
        const char* memoText;  // the memo list afterwards: the first memo's text, "" for none
    } cases[] = {
        {"memo changed, put back", true, false, ConflictChoice::kPutOursBack, ConflictResolved::kPutBack,
         "新建0 更新1 删除0 冲突0", "Dentist"},
        {"memo deleted, put back", true, true, ConflictChoice::kPutOursBack, ConflictResolved::kPutBack,
         "新建1 更新0 删除0 冲突0", "Dentist"},
        {"festival changed, put back", false, false, ConflictChoice::kPutOursBack, ConflictResolved::kPutBack,
         "新建0 更新1 删除0 冲突0", "Dentist"},
        {"festival deleted, put back", false, true, ConflictChoice::kPutOursBack, ConflictResolved::kPutBack,
         "新建1 更新0 删除0 冲突0", "Dentist"},
        {"memo changed, kept", true, false, ConflictChoice::kKeepPhones, ConflictResolved::kReminderUpdated,
         "新建0 更新1 删除0 冲突0", "Dentist moved"},
        {"memo deleted, kept", true, true, ConflictChoice::kKeepPhones, ConflictResolved::kReminderDeleted,
         "新建0 更新0 删除0 冲突0", ""},
        {"festival changed, kept", false, false, ConflictChoice::kKeepPhones, ConflictResolved::kReminderAdded,
         "新建1 更新1 删除0 冲突0", "Dentist"},
        {"festival deleted, not offered", false, true, ConflictChoice::kKeepPhones, ConflictResolved::kNotOffered,
         "新建0 更新0 删除0 冲突1", "Dentist"},
    };
    for (const auto& c : cases) {
        server = FakeServer();
        state = SyncState();
        memos = {Memo("Dentist", 2027, 1, 5, 9, 0, ReminderAlert::k15Minutes)};
        ASSERT_EQ(Sync().outcome, SyncOutcome::kDone) << c.what;
        const std::string path = c.memo ? MemoPath() : festival;
        const std::string uid = c.memo ? Wanted()[1].uid : Wanted()[0].uid;
        const std::string phone = PhoneEvent(uid, c.memo ? "Dentist moved" : "Birthday dinner",
                                             "DTSTART;TZID=Asia/Shanghai:20270107T100000", "-PT1H");
        if (c.deleted) {
            server.Remove(path);
        } else {
            server.Edit(path, phone);
        }
        const std::string phoneEtag = "\"e" + std::to_string(server.items.at(path).etag) + "\"";

        const SyncResult second = Sync();
        ASSERT_EQ(second.Count(SyncChangeKind::kConflict), 1) << c.what;
        const SyncChange& conflict = second.changes[0];
        EXPECT_EQ(conflict.href, path) << c.what;
        EXPECT_EQ(CanKeepPhoneVersion(conflict, memos), c.memo || !c.deleted)
            << c.what << ": a festival's occurrence deleted there is only put back or left";
        EXPECT_EQ(ResolveConflict(state, conflict, c.choice, memos, Clock(), kChina), c.resolved) << c.what;
        EXPECT_EQ(memos.empty() ? "" : ReminderText(memos[0]), c.memoText) << c.what;

        const std::size_t before = server.requests.size();
        const SyncResult third = Sync();
        ASSERT_EQ(third.outcome, SyncOutcome::kDone) << c.what << ": " << third.message;
        EXPECT_EQ(SyncSummary(third), c.summary) << c.what;
        if (c.resolved == ConflictResolved::kPutBack) {
            const HttpRequest* put = LastWrite(server, before);
            ASSERT_NE(put, nullptr) << c.what;
            EXPECT_EQ(put->method, "PUT") << c.what;
            EXPECT_EQ(put->body, (c.memo ? Wanted()[1] : Wanted()[0]).text) << c.what << ": ours, as it was";
            if (c.deleted) {
                EXPECT_EQ(HeaderOf(*put, "If-None-Match"), "*") << c.what;
            } else {
                EXPECT_EQ(HeaderOf(*put, "If-Match"), phoneEtag) << c.what << ": over the version read";
            }
        }
        if (c.choice == ConflictChoice::kKeepPhones && !c.deleted && c.memo) {
            const Reminder& memo = memos[0];
            EXPECT_EQ((std::vector<int>{memo.start.year, memo.start.month, memo.start.day, memo.start.hour,
                                        memo.start.minute}),
                      (std::vector<int>{2027, 1, 7, 10, 0}))
                << c.what;
            EXPECT_EQ(memo.firstAlert, ReminderAlert::k1Hour) << c.what;
            EXPECT_EQ(server.LiveItems().size(), 2u) << c.what << ": the memo's event updated in place";
            EXPECT_NE(server.items.at(path).body.find("DTSTART:20270107T100000"), std::string::npos) << c.what;
        }
        if (c.resolved == ConflictResolved::kReminderAdded) {
            ASSERT_EQ(memos.size(), 2u) << c.what;
            EXPECT_EQ(ReminderText(memos[1]), "Birthday dinner") << c.what;
            EXPECT_EQ(memos[1].repeat, ReminderRepeat::kNone) << c.what;
            EXPECT_EQ(server.LiveItems().size(), 3u) << c.what << ": the festival back, the phone's as a memo";
            EXPECT_NE(server.items.at(festival).body.find("SUMMARY:Birthday\r\n"), std::string::npos) << c.what;
        }
        if (c.resolved == ConflictResolved::kReminderDeleted) {
            EXPECT_EQ(server.LiveItems(), (std::vector<std::string>{festival})) << c.what;
        }

        const int writes = server.Writes();
        const SyncResult fourth = Sync();
        EXPECT_EQ(fourth.Count(SyncChangeKind::kConflict), c.resolved == ConflictResolved::kNotOffered ? 1 : 0)
            << c.what;
        EXPECT_EQ(fourth.changes.size(), fourth.Count(SyncChangeKind::kConflict)) << c.what << ": nothing else";
        EXPECT_EQ(server.Writes(), writes) << c.what;
        EXPECT_EQ(
            ResolveConflict(state, conflict, c.choice, memos, Clock(), kChina),
            c.resolved == ConflictResolved::kNotOffered ? ConflictResolved::kNotOffered : ConflictResolved::kNoConflict)
            << c.what << ": a choice made twice does nothing the second time";
    }
}

TEST_F(SyncConflict, APhoneEditMadeAgainAfterTheChoiceIsAConflictAgainNeverOverwritten) {
    for (const ConflictChoice choice : {ConflictChoice::kPutOursBack, ConflictChoice::kKeepPhones}) {
        server = FakeServer();
        state = SyncState();
        memos = {Memo("Dentist", 2027, 1, 5, 9, 0, ReminderAlert::k15Minutes)};
        ASSERT_EQ(Sync().outcome, SyncOutcome::kDone);
        const std::string uid = Wanted()[1].uid, path = MemoPath();
        server.Edit(path, PhoneEvent(uid, "Dentist moved", "DTSTART:20270107T020000Z", "-PT1H"));
        const SyncResult second = Sync();
        ASSERT_EQ(second.Count(SyncChangeKind::kConflict), 1);
        ResolveConflict(state, second.changes[0], choice, memos, Clock(), kChina);
        const std::string again = PhoneEvent(uid, "Dentist moved twice", "DTSTART:20270108T020000Z", "-PT1H");
        server.Edit(path, again);
        const SyncResult third = Sync();
        EXPECT_EQ(SyncSummary(third), "新建0 更新0 删除0 冲突1");
        EXPECT_EQ(server.items.at(path).body, again);
    }
}

TEST_F(SyncConflict, OneYearOfALunarBirthdayDeletedOnThePhoneNeverDeletesTheMemoOfEveryYear) {
    // 八月十二, yearly: written as one event per year, 2027-09-12 among them.
    Reminder birthday = NewReminder(SystemTimeAt(2026, 8, 12, 0, 0), true, Clock());
    SetRepetition(birthday, ReminderRepeat::kYearly);
    SetReminderText(birthday, "Grandma");
    memos = {birthday};
    ASSERT_EQ(Sync().outcome, SyncOutcome::kDone);
    const std::string path = MemoPath();
    ASSERT_NE(path.find("-20270912.ics"), std::string::npos) << path;
    server.Remove(path);
    const SyncResult second = Sync();
    ASSERT_EQ(second.Count(SyncChangeKind::kConflict), 1);

    EXPECT_FALSE(CanKeepPhoneVersion(second.changes[0], memos));
    EXPECT_EQ(ResolveConflict(state, second.changes[0], ConflictChoice::kKeepPhones, memos, Clock(), kChina),
              ConflictResolved::kNotOffered);
    ASSERT_EQ(memos.size(), 1u) << "the other years' birthdays stay";
    EXPECT_EQ(ResolveConflict(state, second.changes[0], ConflictChoice::kPutOursBack, memos, Clock(), kChina),
              ConflictResolved::kPutBack);
    EXPECT_EQ(SyncSummary(Sync()), "新建1 更新0 删除0 冲突0");
    EXPECT_EQ(server.items.count(path), 1u);
}

TEST(CalendarEventReading, ThePhonesTimesBecomeThisMachinesAndItsAlarmsTheLeadsTheyName) {
    const struct {
        const char* start;
        int offset;         // this machine's, minutes east of UTC
        const char* local;  // "YYYY-MM-DD HH:MM", "YYYY-MM-DD" all day, "" none
    } cases[] = {
        {"DTSTART;VALUE=DATE:20270107", kChina, "2027-01-07"},
        {"DTSTART:20270107T100000", kChina, "2027-01-07 10:00"},
        {"DTSTART:20270107T100000Z", kChina, "2027-01-07 18:00"},
        {"DTSTART:20270107T200000Z", kChina, "2027-01-08 04:00"},
        {"DTSTART:20270107T020000Z", -300, "2027-01-06 21:00"},
        {"DTSTART;TZID=Asia/Shanghai:20270107T100000", kChina, "2027-01-07 10:00"},
        {"DTSTART;TZID=\"Asia/Shanghai\":20270107T100000", 0, "2027-01-07 02:00"},
        {"DTSTART;TZID=Custom/Zone:20270107T100000", kChina, "2027-01-07 08:00"},
        {"DTSTART;TZID=Unknown/Zone:20270107T100000", kChina, "2027-01-07 10:00"},
        {"DTSTART:20270230T100000", kChina, ""},
        {"DTSTART:2027", kChina, ""},
    };
    const std::string zone =
        "BEGIN:VTIMEZONE\r\nTZID:Custom/Zone\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\nTZOFFSETFROM:+1000\r\n"
        "TZOFFSETTO:+1000\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    for (const auto& c : cases) {
        const std::string text = "BEGIN:VCALENDAR\r\n" + zone + "BEGIN:VEVENT\r\nUID:x\r\n" + c.start +
                                 "\r\nSUMMARY:a\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        const CalendarEventReading event = ReadCalendarEvent(text, c.offset);
        std::string local;
        if (event.hasStart) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", event.start.year, event.start.month,
                          event.start.day, event.start.hour, event.start.minute);
            local = event.allDay ? std::string(buffer).substr(0, 10) : buffer;
        }
        EXPECT_EQ(local, c.local) << c.start;
    }

    const std::string alarms =
        "BEGIN:VEVENT\r\nSUMMARY:Tea\\, then \\;cake\r\nDESCRIPTION:Tea\\, then \\;cake\\nbring \r\n  cups\r\n"
        "DTSTART:20270107T100000\r\nBEGIN:VALARM\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nTRIGGER;RELATED=START:-P1DT2H\r\nEND:VALARM\r\nBEGIN:VALARM\r\nTRIGGER:PT0S\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nTRIGGER:PT5M\r\nEND:VALARM\r\nBEGIN:VALARM\r\nTRIGGER;RELATED=END:-PT5M\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nTRIGGER;VALUE=DATE-TIME:20270107T010000Z\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nTRIGGER:-P1W\r\nEND:VALARM\r\nBEGIN:VALARM\r\nTRIGGER:-PXM\r\nEND:VALARM\r\nEND:VEVENT\r\n";
    const CalendarEventReading event = ReadCalendarEvent(alarms, kChina);
    EXPECT_EQ(event.summary, "Tea, then ;cake");
    EXPECT_EQ(event.description, "Tea, then ;cake\r\nbring  cups");
    EXPECT_EQ(event.alertLeads, (std::vector<std::int64_t>{900, 93600, 0, 604800}))
        << "after the start, from its end, at a fixed moment or unreadable: left out";
}

TEST(CalendarEventReading, APhonesTextIsBoundedAndEndsOnAWholeCharacter) {
    std::string huge = "BEGIN:VEVENT\r\nSUMMARY:";
    for (std::size_t i = 0; i < kEventTextLimit; ++i) huge += "\xE6\x97\xA5";  // 日
    huge += "\r\nEND:VEVENT\r\n";
    const CalendarEventReading event = ReadCalendarEvent(huge, kChina);
    EXPECT_LE(event.summary.size(), kEventTextLimit);
    EXPECT_EQ(event.summary.size() % 3, 0u);
    EXPECT_TRUE(IsValidUtf8(event.summary));
}

TEST(ConflictDialogTexts, EachVersionReadsAsTitleTimeNoteAndAlerts) {
    const std::string text = PhoneEvent("x", "Dentist moved", "DTSTART:20270107T020000Z", "-P1D");
    const EventVersionText version = DescribeEventVersion(text, kChina);
    EXPECT_EQ(version.title, "Dentist moved");
    EXPECT_EQ(version.when, "2027-01-07 10:00");
    EXPECT_EQ(version.note, "");
    EXPECT_EQ(version.alerts, "1天之前");
    const EventVersionText allDay = DescribeEventVersion(
        "BEGIN:VEVENT\r\nSUMMARY:Trip\r\nDESCRIPTION:Trip\\npack bags\r\n"
        "DTSTART;VALUE=DATE:20270301\r\nEND:VEVENT\r\n",
        kChina);
    EXPECT_EQ(allDay.when, "2027-03-01 全天");
    EXPECT_EQ(allDay.note, "pack bags");
    EXPECT_EQ(allDay.alerts, "无");
}

}  // namespace
