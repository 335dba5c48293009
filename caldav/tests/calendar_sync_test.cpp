#include "caldav/calendar_sync.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "base/text_encoding.h"
#include "caldav/tests/fake_caldav_server.h"

namespace {

using caldav_test::Event;
using caldav_test::FakeServer;
using caldav_test::kCalendar;

class CalendarSync : public ::testing::Test {
protected:
    CalendarSync() {
        account.server = "http://127.0.0.1:5232/nothing-here/";
        account.user = "alice";
        account.password = "secret";
        account.calendarName = Utf8FromGbk(kDefaultCalendarName);
        wanted = {Event("f1-20270912", "Birthday", "20270912"), Event("m1", "Dentist", "20270105")};
    }
    SyncResult Sync(bool dryRun = false) { return SyncCalendar(server, account, wanted, state, dryRun); }

    FakeServer server;
    CalDavAccount account;
    std::vector<CalendarObject> wanted;
    SyncState state;
};

TEST_F(CalendarSync, TheFirstSyncFindsTheHomeMakesTheCalendarAndSendsEveryEventTheSecondSendsNothing) {
    const SyncResult first = Sync();
    ASSERT_EQ(first.outcome, SyncOutcome::kDone) << first.message;
    EXPECT_EQ(server.calendars.at(kCalendar), "Tavro\xE6\x97\xA5\xE5\x8E\x86");
    EXPECT_EQ(server.LiveItems(), (std::vector<std::string>{kCalendar + "f1-20270912.ics", kCalendar + "m1.ics"}));
    EXPECT_EQ(SyncSummary(first), "新建2 更新0 删除0 冲突0");
    EXPECT_EQ(SyncChangeLine(first.changes[0]), "新建 Birthday 2027-09-12");
    EXPECT_TRUE(first.stateChanged);
    EXPECT_EQ(state.calendarUrl, "http://127.0.0.1:5232" + kCalendar);
    for (const HttpRequest& r : server.requests) {
        if (r.method == "PUT") {
            EXPECT_EQ(r.headers[0], (std::pair<std::string, std::string>{"If-None-Match", "*"}));
        }
    }

    const int writes = server.Writes();
    const SyncResult second = Sync();
    EXPECT_EQ(second.outcome, SyncOutcome::kDone) << second.message;
    EXPECT_TRUE(second.changes.empty());
    EXPECT_EQ(server.Writes(), writes);
    EXPECT_EQ(server.calendars.size(), 1u) << "the calendar is found again, not made twice";
}

TEST_F(CalendarSync, AnEditedEventIsReplacedInPlaceOverTheVersionItKnowsAndARemovedOneDeleted) {
    ASSERT_EQ(Sync().outcome, SyncOutcome::kDone);
    const std::string etag = state.Find(kCalendar + "m1.ics")->etag;
    wanted = {Event("m1", "Dentist at nine", "20270105")};
    const SyncResult result = Sync();
    ASSERT_EQ(result.outcome, SyncOutcome::kDone) << result.message;
    EXPECT_EQ(SyncSummary(result), "新建0 更新1 删除1 冲突0");
    EXPECT_EQ(server.LiveItems(), (std::vector<std::string>{kCalendar + "m1.ics"}));
    EXPECT_NE(server.items.at(kCalendar + "m1.ics").body.find("Dentist at nine"), std::string::npos);
    const HttpRequest& put = *std::find_if(server.requests.rbegin(), server.requests.rend(),
                                           [](const HttpRequest& r) { return r.method == "PUT"; });
    EXPECT_EQ(put.headers[0], (std::pair<std::string, std::string>{"If-Match", etag}));
    EXPECT_TRUE(Sync().changes.empty());
}

TEST_F(CalendarSync, AnEventChangedOrDeletedOnThePhoneIsAConflictNeverOverwritten) {
    const struct {
        const char* what;
        std::function<void(FakeServer&)> phone;
        bool localEdit;
        const char* line;
    } cases[] = {
        {"edited there",
         [](FakeServer& s) { s.Edit(kCalendar + "m1.ics", Event("m1", "Dentist moved", "20270107").text); }, false,
         "冲突 Dentist 2027-01-05：手机上已改为“Dentist moved 2027-01-07”，未覆盖"},
        {"edited on both sides",
         [](FakeServer& s) { s.Edit(kCalendar + "m1.ics", Event("m1", "Dentist moved", "20270107").text); }, true,
         "冲突 Dentist 2027-01-05：手机上已改为“Dentist moved 2027-01-07”，未覆盖"},
        {"deleted there", [](FakeServer& s) { s.Remove(kCalendar + "m1.ics"); }, false,
         "冲突 Dentist 2027-01-05：手机上已删除，未放回"},
    };
    for (const auto& c : cases) {
        FakeServer fresh;
        SyncState empty;
        wanted = {Event("f1-20270912", "Birthday", "20270912"), Event("m1", "Dentist", "20270105")};
        ASSERT_EQ(SyncCalendar(fresh, account, wanted, empty, false).outcome, SyncOutcome::kDone);
        c.phone(fresh);
        const std::string phoneVersion = fresh.items.at(kCalendar + "m1.ics").body;
        if (c.localEdit) wanted[1] = Event("m1", "Dentist", "20270106");
        for (int round = 0; round < 2; ++round) {
            const SyncResult result = SyncCalendar(fresh, account, wanted, empty, false);
            ASSERT_EQ(result.outcome, SyncOutcome::kDone) << c.what << ": " << result.message;
            ASSERT_EQ(result.Count(SyncChangeKind::kConflict), 1) << c.what << " round " << round;
            EXPECT_EQ(result.changes.size(), 1u) << c.what;
            const SyncChange& conflict = result.changes[0];
            EXPECT_EQ(conflict.ours, wanted[1].text) << c.what;
            EXPECT_EQ(conflict.theirs, fresh.items.at(kCalendar + "m1.ics").deleted ? "" : phoneVersion) << c.what;
            if (!c.localEdit) {
                EXPECT_EQ(SyncChangeLine(conflict), c.line) << c.what;
            }
            EXPECT_EQ(fresh.items.at(kCalendar + "m1.ics").body, phoneVersion) << c.what << ": not overwritten";
        }
        EXPECT_TRUE(empty.Find(kCalendar + "m1.ics")->conflict) << c.what;
    }
}

TEST_F(CalendarSync, EventsOthersAddedToTheCalendarAreLeftAlone) {
    ASSERT_EQ(Sync().outcome, SyncOutcome::kDone);
    server.Add(kCalendar + "phone.ics", Event("phone", "Lunch", "20270110").text);
    const SyncResult result = Sync();
    EXPECT_TRUE(result.changes.empty());
    wanted.clear();  // everything of ours removed
    EXPECT_EQ(SyncSummary(Sync()), "新建0 更新0 删除2 冲突0");
    EXPECT_EQ(server.LiveItems(), (std::vector<std::string>{kCalendar + "phone.ics"}));
}

TEST_F(CalendarSync, AChangeOnThePhoneBetweenTheReportAndTheWriteIsAConflict) {
    ASSERT_EQ(Sync().outcome, SyncOutcome::kDone);
    wanted[1] = Event("m1", "Dentist at ten", "20270105");
    server.fail = [&](const HttpRequest& r) -> std::optional<HttpAnswer> {
        if (r.method == "PUT") {
            server.fail = nullptr;
            server.Edit(kCalendar + "m1.ics", Event("m1", "Dentist by phone", "20270105").text);
        }
        return std::nullopt;
    };
    const SyncResult result = Sync();
    ASSERT_EQ(result.outcome, SyncOutcome::kDone) << result.message;
    EXPECT_EQ(SyncSummary(result), "新建0 更新0 删除0 冲突1");
    EXPECT_NE(server.items.at(kCalendar + "m1.ics").body.find("Dentist by phone"), std::string::npos);
}

TEST_F(CalendarSync, AFailureSaysWhyKeepsWhatWasDoneAndTheNextSyncCompletes) {
    const auto Answer = [](HttpFailure failure, int status, const std::string& body = "") {
        HttpAnswer answer;
        answer.failure = failure;
        answer.status = status;
        answer.body = body;
        return answer;
    };
    const struct {
        const char* what;
        std::string method;  // the request that fails, from the second of its kind
        HttpAnswer answer;
        SyncOutcome outcome;
        const char* says;
    } cases[] = {
        {"wrong password", "REPORT", Answer(HttpFailure::kNone, 401), SyncOutcome::kRefused, "用户名和密码（401）"},
        {"calendar full", "PUT", Answer(HttpFailure::kNone, 507), SyncOutcome::kRefused, "空间已满"},
        {"server stopped", "PUT", Answer(HttpFailure::kUnreachable, 0), SyncOutcome::kUnreachable,
         "连不上服务器 127.0.0.1:5232"},
        {"slow server", "REPORT", Answer(HttpFailure::kTimedOut, 0), SyncOutcome::kUnreachable, "久无答复"},
        {"huge answer", "REPORT", Answer(HttpFailure::kTooLarge, 0), SyncOutcome::kBadAnswer, "太大"},
        {"malformed answer", "REPORT", Answer(HttpFailure::kNone, 207, "<d:multistatus xmlns:d=\"DAV:\"><d:resp"),
         SyncOutcome::kBadAnswer, "读不懂"},
    };
    for (const auto& c : cases) {
        FakeServer fresh;
        SyncState synced;
        wanted = {Event("f1-20270912", "Birthday", "20270912"), Event("m1", "Dentist", "20270105")};
        ASSERT_EQ(SyncCalendar(fresh, account, wanted, synced, false).outcome, SyncOutcome::kDone);
        wanted.push_back(Event("m2", "Haircut", "20270201"));
        wanted.push_back(Event("m3", "Bank", "20270202"));
        int seen = 0;
        fresh.fail = [&](const HttpRequest& r) -> std::optional<HttpAnswer> {
            if (r.method == c.method && ++seen == (c.method == "PUT" ? 2 : 1)) return c.answer;
            return std::nullopt;
        };
        const SyncResult failed = SyncCalendar(fresh, account, wanted, synced, false);
        EXPECT_EQ(failed.outcome, c.outcome) << c.what;
        EXPECT_NE(failed.message.find(c.says), std::string::npos) << c.what << ": " << failed.message;
        EXPECT_EQ(synced.resources.size(), 2u + (c.method == "PUT" ? 1u : 0u))
            << c.what << ": the state holds exactly what reached the server";
        fresh.fail = nullptr;
        const SyncResult next = SyncCalendar(fresh, account, wanted, synced, false);
        EXPECT_EQ(next.outcome, SyncOutcome::kDone) << c.what << ": " << next.message;
        EXPECT_EQ(next.Count(SyncChangeKind::kConflict), 0) << c.what;
        EXPECT_EQ(fresh.LiveItems().size(), 4u) << c.what;
    }
}

TEST_F(CalendarSync, ARequestCutBeforeItsAnswerIsSentOnceMoreButATimeOutOrARefusalIsNot) {
    const struct {
        const char* what;
        std::string method;  // the request that fails, the first times it is sent
        HttpFailure failure;
        int failures;
        int sent;  // how often that request went out
        SyncOutcome outcome;
        const char* says;  // empty when the sync completes
    } cases[] = {
        {"report cut once", "REPORT", HttpFailure::kDropped, 1, 2, SyncOutcome::kDone, ""},
        {"new event cut once", "PUT", HttpFailure::kDropped, 1, 2, SyncOutcome::kDone, ""},
        {"cut twice in a row", "PUT", HttpFailure::kDropped, 2, 2, SyncOutcome::kUnreachable,
         "与服务器 127.0.0.1:5232 的连接中途断开"},
        {"slow server", "REPORT", HttpFailure::kTimedOut, 1, 1, SyncOutcome::kUnreachable,
         "服务器 127.0.0.1:5232 久无答复，已放弃"},
        {"connection refused", "REPORT", HttpFailure::kUnreachable, 1, 1, SyncOutcome::kUnreachable,
         "连不上服务器 127.0.0.1:5232"},
    };
    for (const auto& c : cases) {
        FakeServer fresh;
        SyncState synced;
        wanted = {Event("f1-20270912", "Birthday", "20270912"), Event("m1", "Dentist", "20270105")};
        ASSERT_EQ(SyncCalendar(fresh, account, wanted, synced, false).outcome, SyncOutcome::kDone);
        wanted.push_back(Event("m2", "Haircut", "20270201"));
        const SyncState before = synced;
        fresh.requests.clear();
        int failed = 0;
        fresh.fail = [&](const HttpRequest& r) -> std::optional<HttpAnswer> {
            if (r.method != c.method || failed == c.failures) return std::nullopt;
            ++failed;
            HttpAnswer answer;
            answer.failure = c.failure;
            return answer;
        };
        const SyncResult result = SyncCalendar(fresh, account, wanted, synced, false);
        EXPECT_EQ(result.outcome, c.outcome) << c.what << ": " << result.message;
        EXPECT_EQ(result.message, c.says) << c.what;
        EXPECT_EQ(std::count_if(fresh.requests.begin(), fresh.requests.end(),
                                [&](const HttpRequest& r) { return r.method == c.method; }),
                  c.sent)
            << c.what;
        if (c.outcome == SyncOutcome::kDone) {
            EXPECT_EQ(SyncSummary(result), "新建1 更新0 删除0 冲突0") << c.what;
            continue;
        }
        EXPECT_EQ(synced.resources.size(), before.resources.size()) << c.what << ": nothing recorded as sent";
        EXPECT_EQ(fresh.LiveItems().size(), 2u) << c.what;
        fresh.fail = nullptr;
        const SyncResult next = SyncCalendar(fresh, account, wanted, synced, false);
        EXPECT_EQ(SyncSummary(next), "新建1 更新0 删除0 冲突0") << c.what << ": " << next.message;
    }
}

TEST_F(CalendarSync, AWriteThatArrivedButLostItsAnswerIsNeitherWrittenTwiceNorAConflict) {
    const struct {
        const char* what;
        CalendarObject changed;  // replaces the memo m1, or is added
        bool added;
    } cases[] = {
        {"an edited event", Event("m1", "Dentist at nine", "20270105"), false},
        {"a new event", Event("m2", "Haircut", "20270201"), true},
    };
    for (const auto& c : cases) {
        FakeServer fresh;
        SyncState synced;
        wanted = {Event("f1-20270912", "Birthday", "20270912"), Event("m1", "Dentist", "20270105")};
        ASSERT_EQ(SyncCalendar(fresh, account, wanted, synced, false).outcome, SyncOutcome::kDone);
        if (c.added) {
            wanted.push_back(c.changed);
        } else {
            wanted[1] = c.changed;
        }
        bool lost = false;
        fresh.fail = [&](const HttpRequest& r) -> std::optional<HttpAnswer> {
            if (r.method != "PUT" || lost) return std::nullopt;
            lost = true;
            fresh.Send(r);  // the server takes it, the answer never comes back
            HttpAnswer cut;
            cut.failure = HttpFailure::kDropped;
            return cut;
        };
        const SyncResult result = SyncCalendar(fresh, account, wanted, synced, false);
        ASSERT_EQ(result.outcome, SyncOutcome::kDone) << c.what << ": " << result.message;
        EXPECT_EQ(result.Count(SyncChangeKind::kConflict), 0) << c.what;
        EXPECT_EQ(fresh.LiveItems().size(), c.added ? 3u : 2u) << c.what;
        EXPECT_EQ(fresh.items.at(kCalendar + c.changed.name).body, c.changed.text) << c.what;
        EXPECT_TRUE(SyncCalendar(fresh, account, wanted, synced, false).changes.empty()) << c.what;
    }
}

TEST_F(CalendarSync, ALostStateTakesOverWhatTheServerHoldsWithoutDuplicatesOrOverwriting) {
    ASSERT_EQ(Sync().outcome, SyncOutcome::kDone);
    server.Edit(kCalendar + "m1.ics", Event("m1", "Dentist by phone", "20270105").text);
    state = SyncState();
    const SyncResult result = Sync();
    ASSERT_EQ(result.outcome, SyncOutcome::kDone) << result.message;
    EXPECT_EQ(SyncSummary(result), "新建0 更新0 删除0 冲突1");
    EXPECT_EQ(server.LiveItems().size(), 2u);
    EXPECT_NE(server.items.at(kCalendar + "m1.ics").body.find("by phone"), std::string::npos);
}

TEST_F(CalendarSync, ADryRunSaysWhatWouldChangeAndWritesNothing) {
    const SyncResult result = Sync(true);
    EXPECT_EQ(result.outcome, SyncOutcome::kDone) << result.message;
    EXPECT_EQ(SyncSummary(result), "新建2 更新0 删除0 冲突0");
    EXPECT_EQ(server.Writes(), 0);
    EXPECT_TRUE(server.calendars.empty());
}

TEST(CalendarSyncAddresses, ThePasswordGoesOverHttpsOrToThisMachineOnly) {
    const struct {
        const char* address;
        bool allowed;
    } cases[] = {
        {"https://dav.example.com/", true},
        {"HTTPS://dav.example.com:8443/dav", true},
        {"http://127.0.0.1:5232/", true},
        {"http://localhost/", true},
        {"http://[::1]:8000/", true},
        {"http://dav.example.com/", false},
        {"http://127.0.0.1.example.com/", false},
        {"http://user@127.0.0.1/", false},
        {"ftp://127.0.0.1/", false},
        {"dav.example.com", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsAllowedServerAddress(c.address), c.allowed) << c.address;

    FakeServer server;
    SyncState state;
    const CalDavAccount plain{"http://dav.example.com/", "alice", "secret", "Tavro"};
    const SyncResult result = SyncCalendar(server, plain, {}, state, false);
    EXPECT_EQ(result.outcome, SyncOutcome::kBadAddress);
    EXPECT_TRUE(server.requests.empty()) << "nothing is sent, the password least of all";
}

}  // namespace
