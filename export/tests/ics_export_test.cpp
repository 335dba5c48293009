#include "export/ics_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "calendar/lunar_calendar.h"
#include "festivals/shipped_festivals.h"
#include "holidays/holiday_schedule.h"
#include "tests/support/fake_solar_terms.h"
#include "tests/support/festival_samples.h"
#include "tests/support/reminder_samples.h"

namespace {

// ---- A strict reader of the file, independent of the writer ---------------

bool ProperlyEscaped(const std::string& value) {
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == ',' || value[i] == ';') return false;
        if (value[i] == '\\') {
            if (i + 1 >= value.size() || std::string("\\;,nN").find(value[i + 1]) == std::string::npos) return false;
            ++i;
        }
    }
    return true;
}

struct Component {
    std::multimap<std::string, std::string> props;  // name -> value (after the first ':')
    std::vector<Component> alarms;
    std::string Get(const std::string& name) const {
        const auto found = props.find(name);
        return found == props.end() ? std::string() : found->second;
    }
    // The whole "NAME;PARAMS:value" of a property, for date forms.
    std::string Line(const std::string& name) const;
    std::map<std::string, std::string> lines;
};

std::string Component::Line(const std::string& name) const {
    const auto found = lines.find(name);
    return found == lines.end() ? std::string() : found->second;
}

struct Parsed {
    std::vector<std::string> problems;
    Component calendar;
    std::vector<Component> events;
};

Parsed ParseStrictly(const std::string& text) {
    Parsed out;
    auto problem = [&](const std::string& p) { out.problems.push_back(p); };
    if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) problem("does not end in CR LF");
    std::vector<std::string> logical;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        const std::string physical = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? text.size() : end + 2;
        if (physical.find('\n') != std::string::npos || physical.find('\r') != std::string::npos) {
            problem("bare line break in: " + physical);
        }
        if (physical.size() > 75) problem("longer than 75 octets: " + physical);
        if (!IsValidUtf8(physical)) problem("a fold splits a UTF-8 sequence: " + physical);
        if (!physical.empty() && physical[0] == ' ') {
            if (logical.empty())
                problem("continuation without a line");
            else
                logical.back() += physical.substr(1);
        } else {
            logical.push_back(physical);
        }
    }
    std::vector<std::string> stack;
    Component* current = &out.calendar;
    for (const std::string& line : logical) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0) {
            problem("not a content line: " + line);
            continue;
        }
        const std::string head = line.substr(0, colon);
        const std::string name = head.substr(0, head.find(';'));
        const std::string value = line.substr(colon + 1);
        if (name == "BEGIN") {
            if (stack.empty() && value != "VCALENDAR") problem("first component is " + value);
            if (value == "VEVENT") {
                out.events.emplace_back();
                current = &out.events.back();
            } else if (value == "VALARM") {
                if (stack.empty() || stack.back() != "VEVENT")
                    problem("alarm outside an event");
                else
                    current->alarms.emplace_back(), current = &current->alarms.back();
            }
            stack.push_back(value);
            continue;
        }
        if (name == "END") {
            if (stack.empty() || stack.back() != value)
                problem("unbalanced END:" + value);
            else
                stack.pop_back();
            if (value == "VALARM")
                current = &out.events.back();
            else if (value == "VEVENT")
                current = &out.calendar;
            continue;
        }
        if (name == "SUMMARY" || name == "DESCRIPTION" || name == "X-WR-CALNAME") {
            if (!ProperlyEscaped(value)) problem("unescaped text: " + line);
        }
        current->props.emplace(name, value);
        current->lines[name] = line;
    }
    if (!stack.empty()) problem("unclosed " + stack.back());
    if (out.calendar.Get("VERSION") != "2.0") problem("no VERSION:2.0");
    if (out.calendar.Get("PRODID").empty()) problem("no PRODID");
    for (const Component& e : out.events) {
        for (const char* required : {"UID", "DTSTAMP", "DTSTART", "SUMMARY"}) {
            if (e.props.count(required) != 1) problem(std::string("event without exactly one ") + required);
        }
        for (const Component& a : e.alarms) {
            if (a.props.count("ACTION") != 1 || a.props.count("TRIGGER") != 1) problem("alarm without ACTION/TRIGGER");
        }
    }
    return out;
}

FestivalRule Rule(const std::string& calendar, const std::string& kind, const std::string& dateRule,
                  const std::string& name, const std::string& startYear = "") {
    return FestivalSample(calendar, dateRule).Kind(kind).Name(name).StartYear(startYear);
}

IcsExportChoices Years(int first, int count = 11) {
    IcsExportChoices c;
    c.firstYear = first;
    c.years = count;
    return c;
}

const IcsStamp kStamp{2026, 12, 8, 10, 0, 0};

Parsed Export(const FestivalList& festivals, const ReminderList& reminders, const IcsExportChoices& choices,
              SolarTermLookup* terms = nullptr, const FestivalList& shipped = {}) {
    const IcsExport result = ExportIcs(festivals, shipped, reminders, terms, choices, kStamp);
    Parsed parsed = ParseStrictly(result.text);
    EXPECT_EQ(parsed.events.size(), static_cast<std::size_t>(result.events));
    EXPECT_TRUE(parsed.problems.empty()) << parsed.problems.front();
    return parsed;
}

std::vector<std::string> StartsOf(const Parsed& parsed) {
    std::vector<std::string> starts;
    for (const Component& e : parsed.events) starts.push_back(e.Get("DTSTART"));
    return starts;
}

}  // namespace

TEST(IcsExport, TheShippedFestivalsWithRemindersAndTermsMakeAStrictlyValidFile) {
    FestivalList festivals = ShippedFestivals();
    ASSERT_GT(festivals.size(), 50u);
    // The observances that come switched off too, as a user may tick them.
    for (FestivalRule& rule : festivals) rule.enabled = "1";
    festivals.push_back(Rule("YL", "JR", "3-3", "逗号,分号;反斜杠\\都要转义"));
    festivals.push_back(Rule("NL", "SR", "8-12", "奶奶的生日奶奶的生日奶奶的生日奶奶的生日奶奶的生日", "1940"));
    Reminder reminder =
        Gregorian(ReminderRepeat::kNone, 2027, 3, 1, 9, 30, "开会，带上：\n一、报告;二、样品,三、\\路径");
    reminder.firstAlert = ReminderAlert::k15Minutes;
    FakeSolarTerms terms;
    terms.Add(2027, 2, 4, "立春").Add(2027, 12, 22, "冬至");
    IcsExportChoices choices = Years(2026);
    choices.solarTerms = true;
    const Parsed parsed = Export(festivals, {reminder}, choices, &terms);
    EXPECT_GT(parsed.events.size(), 500u);
    std::set<std::string> summaries;
    for (const Component& e : parsed.events) summaries.insert(e.Get("SUMMARY"));
    EXPECT_TRUE(summaries.count(u8"逗号\\,分号\\;反斜杠\\\\都要转义"));
    EXPECT_TRUE(summaries.count(u8"春节"));
    EXPECT_TRUE(summaries.count(u8"立春"));
    EXPECT_TRUE(summaries.count(u8"开会，带上："));
}

TEST(IcsExport, FoldsLongLinesAtSeventyFiveOctetsWithoutSplittingACharacter) {
    std::string name = "SUMMARY:";
    for (int i = 0; i < 60; ++i) name += u8"生";
    const std::string folded = IcsFoldLine(name);
    const Parsed parsed =
        ParseStrictly("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\n" + folded + "END:VCALENDAR\r\n");
    EXPECT_TRUE(parsed.problems.empty()) << parsed.problems.front();
    EXPECT_EQ(parsed.calendar.Get("SUMMARY"), name.substr(8));
    EXPECT_EQ(IcsFoldLine(std::string(75, 'a')), std::string(75, 'a') + "\r\n");
    EXPECT_EQ(IcsFoldLine(std::string(76, 'a')), std::string(75, 'a') + "\r\n a\r\n");
}

TEST(IcsExport, LunarBirthdayOnTheTwelfthOfTheEighthMonthLandsOnTheDayTheMonthShowsEachYear) {
    const Parsed parsed = Export({Rule("NL", "SR", "8-12", "奶奶的生日", "1930")}, {}, Years(1990));
    // 八月十二, three days before each year's Mid-Autumn Festival, once a year:
    // 1995 has a leap eighth month, whose twelfth day (6 October) is not it.
    const std::vector<std::string> expected = {"19900930", "19910919", "19920908", "19930927", "19940917", "19950906",
                                               "19960924", "19970913", "19981002", "19990921", "20000909"};
    std::vector<std::string> starts;
    for (const Component& e : parsed.events) {
        EXPECT_EQ(e.Line("DTSTART").substr(0, 19), "DTSTART;VALUE=DATE:");
        starts.push_back(e.Get("DTSTART"));
    }
    EXPECT_EQ(starts, expected);
    EXPECT_EQ(parsed.events.front().Get("SUMMARY"), u8"奶奶的生日（60周岁）");
    EXPECT_EQ(parsed.events.back().Get("SUMMARY"), u8"奶奶的生日（70周岁）");
    EXPECT_EQ(parsed.events.front().Get("DTEND"), "19901001");
    EXPECT_EQ(parsed.events.front().props.count("RRULE"), 0u);
}

TEST(IcsExport, ALunarDayThirtyIsLeftOutInYearsWhoseMonthHasTwentyNineDays) {
    const Parsed parsed = Export({Rule("NL", "JR", "12-30", "除夕")}, {}, Years(2026));
    std::vector<std::string> expected;
    for (int lunarYear = 2025; lunarYear <= 2036; ++lunarYear) {
        const LunarYearInfo info = GetLunarYearInfo(lunarYear);
        if (info.monthLengths[info.monthCount - 1] != 30) continue;
        // The last day of the lunar year is the day before the next new year.
        const LunarYearInfo next = GetLunarYearInfo(lunarYear + 1);
        const Date eve = D(lunarYear + 1, next.newYearMonth, next.newYearDay) - 1;
        if (eve.year() < 2026 || eve.year() > 2036) continue;
        char text[16];
        std::snprintf(text, sizeof text, "%04d%02d%02d", eve.year(), eve.month(), eve.day());
        expected.push_back(text);
    }
    ASSERT_LT(expected.size(), 11u);  // some years in the range have a 29-day twelfth month
    EXPECT_EQ(StartsOf(parsed), expected);
}

TEST(IcsExport, PlainGregorianYearlyFestivalIsOneRepeatingEventOthersOneEventPerOccurrence) {
    FestivalRule nationalDay = Rule("YL", "JR", "10-1", "国庆节");
    FestivalRule mothersDay = Rule("YL", "JR", "MSD:5:2:7", "母亲节");
    FestivalRule wedding = Rule("YL", "JNR", "5-20", "结婚纪念日", "2010");
    FestivalRule leapDay = Rule("YL", "JR", "2-29", "闰日");
    FestivalRule ended = Rule("YL", "JR", "6-1", "儿童节");
    ended.endDate = "2015-6-1";
    FestivalRule off = Rule("YL", "JR", "7-1", "关掉的");
    off.enabled = "0";
    const Parsed parsed = Export({nationalDay, mothersDay, wedding, leapDay, ended, off}, {}, Years(2013));
    std::map<std::string, std::vector<const Component*>> byName;
    for (const Component& e : parsed.events) byName[e.Get("SUMMARY")].push_back(&e);
    ASSERT_EQ(byName[u8"国庆节"].size(), 1u);
    EXPECT_EQ(byName[u8"国庆节"][0]->Get("RRULE"), "FREQ=YEARLY;BYMONTH=10;BYMONTHDAY=1");
    EXPECT_EQ(byName[u8"国庆节"][0]->Get("DTSTART"), "20131001");
    EXPECT_EQ(byName[u8"闰日"][0]->Get("DTSTART"), "20160229");
    EXPECT_EQ(byName[u8"儿童节"][0]->Get("RRULE"), "FREQ=YEARLY;BYMONTH=6;BYMONTHDAY=1;UNTIL=20150601");
    ASSERT_EQ(byName[u8"母亲节"].size(), 11u);
    EXPECT_EQ(byName[u8"母亲节"][0]->Get("DTSTART"), "20130512");
    EXPECT_EQ(byName[u8"母亲节"][0]->props.count("RRULE"), 0u);
    EXPECT_EQ(byName[u8"结婚纪念日（3周年）"].size(), 1u);
    EXPECT_EQ(byName[u8"结婚纪念日（13周年）"][0]->Get("DTSTART"), "20230520");
    EXPECT_EQ(byName.count(u8"关掉的"), 0u);
}

TEST(IcsExport, OwnFestivalsOnlyLeavesOutTheShippedOnesEvenWhenSwitchedDifferently) {
    FestivalRule shipped = Rule("NL", "JR", "1-1", "春节");
    FestivalRule edited = shipped;
    edited.showReminderWindow = "0";
    IcsExportChoices choices = Years(2026, 1);
    choices.ownFestivalsOnly = true;
    const Parsed parsed = Export({edited, Rule("NL", "SR", "8-12", "奶奶的生日")}, {}, choices, nullptr, {shipped});
    ASSERT_EQ(parsed.events.size(), 1u);
    EXPECT_EQ(parsed.events[0].Get("SUMMARY"), u8"奶奶的生日");
}

TEST(IcsExport, RemindersAreTimedEventsWithAnAlarmForEachOfTheirAlerts) {
    Reminder meeting = Gregorian(ReminderRepeat::kNone, 2026, 12, 20, 9, 30, "开会");
    meeting.firstAlert = ReminderAlert::k15Minutes;
    meeting.secondAlert = ReminderAlert::k1Day;
    Reminder call = Gregorian(ReminderRepeat::kNone, 2026, 12, 21, 18, 0, "打电话");
    call.firstAlert = ReminderAlert::kAtTime;
    call.secondAlert = ReminderAlert::kAtTime;  // rings once in the program, once on the phone
    Reminder gift = Gregorian(ReminderRepeat::kNone, 2026, 12, 22, 8, 0, "买礼物");
    gift.secondAlert = ReminderAlert::k1Day;
    const Reminder quiet = Gregorian(ReminderRepeat::kNone, 2026, 12, 23, 8, 0, "无提醒");
    const Parsed parsed = Export({}, {meeting, call, gift, quiet}, Years(2026));
    ASSERT_EQ(parsed.events.size(), 4u);
    EXPECT_EQ(parsed.events[0].Line("DTSTART"), "DTSTART:20261220T093000");
    ASSERT_EQ(parsed.events[0].alarms.size(), 2u);
    EXPECT_EQ(parsed.events[0].alarms[0].Get("TRIGGER"), "-PT15M");
    EXPECT_EQ(parsed.events[0].alarms[1].Get("TRIGGER"), "-P1D");
    EXPECT_EQ(parsed.events[0].alarms[0].Get("ACTION"), "DISPLAY");
    ASSERT_EQ(parsed.events[1].alarms.size(), 1u);
    EXPECT_EQ(parsed.events[1].alarms[0].Get("TRIGGER"), "PT0S");
    ASSERT_EQ(parsed.events[2].alarms.size(), 1u);
    EXPECT_EQ(parsed.events[2].alarms[0].Get("TRIGGER"), "-P1D");
    EXPECT_TRUE(parsed.events[3].alarms.empty());
}

TEST(IcsExport, ARepetitionEndsAtTheMinuteTheMonthEndsItWhateverTheEndsOtherWordsHold) {
    // Older files carry stray seconds and milliseconds in the end; an end
    // that is no date at all limits nothing, in the month as here.
    Reminder stray = Gregorian(ReminderRepeat::kDaily, 2020, 1, 1, 7, 0, "吃药");
    EndRepeatAt(stray, 2030, 6, 30, 7, 0);
    stray.repeatEnd.second = 75;
    stray.repeatEnd.milliseconds = 4000;
    Reminder noDate = Gregorian(ReminderRepeat::kDaily, 2020, 1, 1, 7, 0, "喝水");
    EndRepeatAt(noDate, 2030, 13, 40, 7, 0);
    const Parsed parsed = Export({}, {stray, noDate}, Years(2026, 11));
    ASSERT_EQ(parsed.events.size(), 2u);
    EXPECT_EQ(parsed.events[0].Get("RRULE"), "FREQ=DAILY;UNTIL=20300630T070000");
    EXPECT_EQ(parsed.events[1].Get("RRULE"), "FREQ=DAILY");
}

TEST(IcsExport, AReminderKeepsItsUidThroughEveryEditAndTwoRemindersHaveTwo) {
    Reminder reminder = Gregorian(ReminderRepeat::kNone, 2026, 12, 20, 9, 30, "开会");
    reminder.start.second = 41;  // the clock when the memo was made
    reminder.start.milliseconds = 263;
    reminder.start.dayOfWeek = 2;
    reminder.repeatEnd = reminder.start;
    Reminder edited = reminder;
    SetReminderText(edited, "开会（改到十点）");
    edited.start.day = 21;
    edited.start.hour = 10;
    edited.repeat = ReminderRepeat::kYearly;
    edited.firstAlert = ReminderAlert::k1Hour;
    Reminder other = reminder;
    other.start.milliseconds = 264;
    other.repeatEnd = other.start;
    const auto uid = [](const Reminder& r) { return Export({}, {r}, Years(2026, 1)).events.at(0).Get("UID"); };
    EXPECT_EQ(uid(edited), uid(reminder));
    EXPECT_NE(uid(other), uid(reminder));
}

TEST(IcsExport, TooManyEventsOrBytesGiveNoFileRatherThanACutOne) {
    // Lunar monthly memos are one event a month: 17 of them over 199 years.
    ReminderList reminders(17, Lunar(ReminderRepeat::kMonthly, 1901, 1, 1, 8, 0, "还款"));
    const IcsExport many = ExportIcs({}, {}, reminders, nullptr, Years(1901, 199), kStamp);
    EXPECT_EQ(many.outcome, IcsOutcome::kTooLarge);
    EXPECT_TRUE(many.text.empty());
    EXPECT_EQ(many.events, kIcsMaxEvents);
    // 2 000 events of 9 999-byte texts pass no event limit but the byte one.
    ReminderList long_texts(2, Lunar(ReminderRepeat::kMonthly, 1901, 1, 1, 8, 0, std::string(9999, 'x')));
    const IcsExport large = ExportIcs({}, {}, long_texts, nullptr, Years(1901, 199), kStamp);
    EXPECT_EQ(large.outcome, IcsOutcome::kTooLarge);
    EXPECT_TRUE(large.text.empty());
}

TEST(IcsExport, ProgressRisesToTheEndAndAStopGivesNoFile) {
    const ReminderList reminders = {Lunar(ReminderRepeat::kMonthly, 2020, 1, 1),
                                    Gregorian(ReminderRepeat::kDaily, 2020, 1, 1)};
    std::vector<int> seen;
    const IcsExport done = ExportIcs({Rule("NL", "SR", "8-12", "奶奶的生日")}, {}, reminders, nullptr, Years(2026),
                                     kStamp, [&](int permille) {
                                         seen.push_back(permille);
                                         return true;
                                     });
    EXPECT_EQ(done.outcome, IcsOutcome::kWritten);
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GE(seen.front(), 0);
    EXPECT_GT(seen.back(), 900);
    EXPECT_LE(seen.back(), 1000);
    int calls = 0;
    const IcsExport stopped =
        ExportIcs({}, {}, reminders, nullptr, Years(2026), kStamp, [&](int) { return ++calls < 3; });
    EXPECT_EQ(stopped.outcome, IcsOutcome::kCancelled);
    EXPECT_TRUE(stopped.text.empty());
    EXPECT_EQ(calls, 3);
}

TEST(IcsExport, GregorianReminderRepetitionsAreRulesAndLunarOnesAreOccurrences) {
    Reminder weekly = Gregorian(ReminderRepeat::kBiweekly, 2026, 1, 5, 19, 0, "打球");
    EndRepeatAt(weekly, 2026, 6, 29, 19, 0);
    const Reminder monthly = Gregorian(ReminderRepeat::kMonthly, 2020, 1, 31, 8, 0, "交房租");
    const Reminder lunarYearly = Lunar(ReminderRepeat::kYearly, 2020, 8, 12, 8, 0, "给奶奶打电话");
    const Parsed parsed = Export({}, {weekly, monthly, lunarYearly}, Years(1994, 3));
    EXPECT_TRUE(parsed.events.empty());  // nothing of theirs falls before 2020
    const Parsed now = Export({}, {weekly, monthly, lunarYearly}, Years(2026, 2));
    ASSERT_EQ(now.events.size(), 4u);
    EXPECT_EQ(now.events[0].Get("RRULE"), "FREQ=WEEKLY;INTERVAL=2;UNTIL=20260629T190000");
    EXPECT_EQ(now.events[0].Get("DTSTART"), "20260105T190000");
    EXPECT_EQ(now.events[1].Get("RRULE"), "FREQ=MONTHLY;BYMONTHDAY=31");
    EXPECT_EQ(now.events[1].Get("DTSTART"), "20260131T080000");
    // 八月十二 of 2026 and 2027 (Mid-Autumn 25 Sep 2026, 15 Sep 2027).
    EXPECT_EQ(now.events[2].Get("DTSTART"), "20260922T080000");
    EXPECT_EQ(now.events[3].Get("DTSTART"), "20270912T080000");
    EXPECT_EQ(now.events[2].props.count("RRULE"), 0u);
}

// No phone knows the State Council's schedule: each working (or rest) day
// is an event of its own, as the month shows it.
TEST(IcsExport, WorkdayAndRestDayRemindersAreDatedEventsOnTheDaysTheScheduleGives) {
    HolidaySchedule schedule;
    for (int day = 1; day <= 7; ++day) schedule.Set(OffDay{D(2026, 10, day), OffDayKind::kOff, "国庆节"});
    schedule.Set(OffDay{D(2026, 10, 10), OffDayKind::kWork, "国庆节"});
    Reminder workdays = Gregorian(ReminderRepeat::kNone, 2026, 9, 28, 8, 30, "打卡");
    SetRepetition(workdays, ReminderRepeat::kWorkdays);
    EndRepeatAt(workdays, 2026, 10, 12, 8, 30);
    Reminder restDays = workdays;
    SetRepetition(restDays, ReminderRepeat::kRestDays);
    IcsExportChoices choices = Years(2026, 1);
    choices.offDays = &schedule;
    const Parsed work = Export({}, {workdays}, choices);
    EXPECT_EQ(StartsOf(work),
              (std::vector<std::string>{"20260928T083000", "20260929T083000", "20260930T083000", "20261008T083000",
                                        "20261009T083000", "20261010T083000", "20261012T083000"}));
    for (const Component& e : work.events) EXPECT_EQ(e.props.count("RRULE"), 0u);
    const Parsed rest = Export({}, {restDays}, choices);
    ASSERT_EQ(rest.events.size(), 8u);  // 1-7 October and Sunday the 11th
    EXPECT_EQ(rest.events.back().Get("DTSTART"), "20261011T083000");
    EXPECT_NE(rest.events[0].Get("UID"), rest.events[1].Get("UID"));
}

TEST(IcsExport, ExportingAgainGivesTheSameUidsAndTwinRulesDistinctOnes) {
    const FestivalList festivals = {Rule("NL", "SR", "8-12", "奶奶的生日", "1940"), Rule("YL", "JR", "10-1", "国庆节"),
                                    Rule("YL", "JR", "10-1", "国庆节")};
    const ReminderList reminders = {Gregorian(ReminderRepeat::kYearly, 2026, 3, 1, 8, 0, "体检"),
                                    Lunar(ReminderRepeat::kMonthly, 2026, 1, 15, 8, 0, "还款")};
    auto uids = [&](const IcsStamp& stamp) {
        const IcsExport result = ExportIcs(festivals, {}, reminders, nullptr, Years(2026), stamp);
        std::vector<std::string> all;
        for (const Component& e : ParseStrictly(result.text).events) all.push_back(e.Get("UID"));
        return all;
    };
    const std::vector<std::string> first = uids(kStamp);
    EXPECT_EQ(uids(IcsStamp{2027, 1, 1, 0, 0, 0}), first);
    EXPECT_EQ(std::set<std::string>(first.begin(), first.end()).size(), first.size());
    for (const std::string& uid : first) EXPECT_NE(uid.find('@'), std::string::npos);
}

TEST(IcsExport, TextValuesEscapeWhatTheFormatReservesAndDropControlCharacters) {
    EXPECT_EQ(IcsEscapeText("a,b;c\\d\r\ne"), "a\\,b\\;c\\\\d\\ne");
    EXPECT_EQ(IcsEscapeText("a\tb\x1b[0m\x7f\x01"
                            "c"),
              "ab[0mc");
    EXPECT_EQ(IcsEscapeText(u8"春节\b"), u8"春节");
    EXPECT_EQ(IcsTriggerBefore(7200), "-PT2H");
    EXPECT_EQ(IcsTriggerBefore(300), "-PT5M");
    EXPECT_EQ(IcsTriggerBefore(172800), "-P2D");
}

TEST(IcsExport, EveryEventOfAMemoLeadsBackToThatMemoAndNoOtherEventDoes) {
    const Reminder dentist = Gregorian(ReminderRepeat::kNone, 2026, 12, 20, 9, 30, "看牙医");
    const Reminder birthday = Lunar(ReminderRepeat::kYearly, 2026, 8, 12, 8, 0, "妈妈的生日");
    const ReminderList memos = {dentist, birthday, dentist};  // the copy has UIDs of its own
    const Parsed parsed = Export({Rule("NL", "JR", "5-5", "端午")}, memos, Years(2026, 2));
    std::vector<std::string> found;
    for (const Component& event : parsed.events) {
        const std::optional<ReminderEventSource> memo = ReminderOfEventUid(memos, event.Get("UID"));
        found.push_back(memo ? std::to_string(memo->index) + (memo->oneOccurrence ? " day" : "") : "-");
    }
    EXPECT_EQ(found, (std::vector<std::string>{"-", "-", "0", "1 day", "1 day", "2"}))
        << "the festival's two, the memo's one, the lunar yearly memo's one per year, the copy's one";
    EXPECT_FALSE(ReminderOfEventUid(memos, parsed.events[2].Get("UID") + "x").has_value());
    EXPECT_FALSE(ReminderOfEventUid(memos, "").has_value());
}
