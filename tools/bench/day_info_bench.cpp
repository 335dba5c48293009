#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "days/day_info.h"
#include "festivals/festival_file.h"
#include "notices/forenotice.h"
#include "tests/support/reminder_samples.h"
#include "tools/bench/bench_almanac.h"

namespace {

Reminder Sample(ReminderCalendar calendar, ReminderRepeat repeat, int y, int m, int d, int hour, const char* text) {
    Reminder r = MakeReminder(calendar, repeat, y, m, d, hour, 0, text);
    r.firstAlert = ReminderAlert::k15Minutes;
    return r;
}

// Twenty memos of every kind a user keeps: daily and weekly habits, monthly
// bills, birthdays in both calendars, one-off appointments.
ReminderList TwentyReminders() {
    ReminderList reminders;
    for (int i = 0; i < 4; ++i)
        reminders.push_back(Sample(ReminderCalendar::kGregorian, ReminderRepeat::kNone, 2023, 3, 3 + 5 * i, 9, "约会"));
    reminders.push_back(Sample(ReminderCalendar::kGregorian, ReminderRepeat::kDaily, 2020, 1, 1, 7, "晨跑"));
    reminders.push_back(Sample(ReminderCalendar::kGregorian, ReminderRepeat::kDaily, 2022, 6, 1, 22, "吃药"));
    reminders.push_back(Sample(ReminderCalendar::kGregorian, ReminderRepeat::kWeekly, 2021, 1, 4, 10, "周会"));
    reminders.push_back(Sample(ReminderCalendar::kGregorian, ReminderRepeat::kBiweekly, 2021, 1, 8, 15, "双周报告"));
    for (int i = 0; i < 4; ++i)
        reminders.push_back(
            Sample(ReminderCalendar::kGregorian, ReminderRepeat::kMonthly, 2019, 1, 5 + 7 * i, 9, "账单"));
    for (int i = 0; i < 4; ++i)
        reminders.push_back(
            Sample(ReminderCalendar::kGregorian, ReminderRepeat::kYearly, 1980, 1 + 3 * i, 12, 0, "生日"));
    for (int i = 0; i < 3; ++i)
        reminders.push_back(
            Sample(ReminderCalendar::kLunar, ReminderRepeat::kYearly, 1960, 2 + 4 * i, 8, 0, "农历生日"));
    reminders.push_back(Sample(ReminderCalendar::kLunar, ReminderRepeat::kMonthly, 2000, 1, 15, 19, "上香"));
    return reminders;
}

// What every benchmark of a rebuild reads: the full database, the shipped
// festivals and twenty memos.
struct RebuildSources {
    AlmanacDatabase almanac;
    FestivalList festivals;
    ReminderList reminders = TwentyReminders();

    explicit RebuildSources(benchmark::State& state) {
        if (!OpenBenchDatabase(almanac)) state.SkipWithError("no database");
        LoadFestivals(ShippedFestivalFile(), festivals);
        if (festivals.empty()) state.SkipWithError("no festival file");
    }
};

// The days of a month rebuild: GetDayInfo for the 31 days of March 2023, then
// the forenotice lines of a 365-day horizon from 15 March with memos and
// solar terms switched on and an area large enough for every line.
std::size_t RebuildMonth(DayInfoSource& days) {
    const Date first = *Date::FromCivil(2023, 3, 1);
    for (const Date date : DateRange(first, first + 30)) benchmark::DoNotOptimize(days.GetDayInfo(date, kWholeDay));
    const auto list =
        BuildForenoticeLines(first + 14, Rect{0, 0, 300, 1 << 30}, 20, 365, ForenoticeSwitches{true, true}, days);
    benchmark::DoNotOptimize(list.data());
    return list.size();
}

}  // namespace

// The data work of one month-view rebuild: day information (almanac, festivals,
// memos) for the 31 days of March 2023, then the forenotice lines of a 365-day
// horizon from 15 March with memos and solar terms switched on and an area
// large enough for every line (396 GetDayInfo calls in all).
static void BM_MonthRebuildData(benchmark::State& state) {
    RebuildSources sources(state);
    DaySources days(&sources.festivals, &sources.reminders, &sources.almanac);
    std::size_t lines = 0;
    for (auto _ : state) lines = RebuildMonth(days);
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["festivals"] = static_cast<double>(sources.festivals.size());
}
BENCHMARK(BM_MonthRebuildData)->Unit(benchmark::kMillisecond);

// The same work as the program did it before the year index and the range
// reads: every rule tested on every date, the row of each date read on its own
// (the free GetDayInfo), with the solar terms of single dates remembered.
class PointQuerySources : public DayInfoSource {
public:
    PointQuerySources(const FestivalList* festivals, const ReminderList* reminders, AlmanacDatabase* almanac)
        : festivals_(festivals), reminders_(reminders), almanac_(almanac), terms_(almanac) {}
    DayInfo GetDayInfo(const Date& date, DayParts parts) override {
        return ::GetDayInfo(date, parts, festivals_, reminders_, almanac_, &terms_);
    }

private:
    const FestivalList* festivals_;
    const ReminderList* reminders_;
    AlmanacDatabase* almanac_;
    RememberedSolarTerms terms_;
};

// argument 0: DaySources kept between rebuilds, as the calendar window keeps
// them; 1: DaySources made afresh for every rebuild (year indexes and rows
// read anew: the first rebuild after start-up); 2: the point queries above.
static void BM_MonthRebuildDataBy(benchmark::State& state) {
    RebuildSources s(state);
    static const char* const kWays[] = {"kept", "fresh", "point queries"};
    state.SetLabel(kWays[state.range(0)]);
    auto kept = std::make_unique<DaySources>(&s.festivals, &s.reminders, &s.almanac);
    PointQuerySources pointQueries(&s.festivals, &s.reminders, &s.almanac);
    for (auto _ : state) {
        if (state.range(0) == 1) kept = std::make_unique<DaySources>(&s.festivals, &s.reminders, &s.almanac);
        RebuildMonth(state.range(0) == 2 ? static_cast<DayInfoSource&>(pointQueries) : *kept);
    }
}
BENCHMARK(BM_MonthRebuildDataBy)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The minute's alert check asks for the memos of three days, never the database.
static void BM_AlertCheckDays(benchmark::State& state) {
    const ReminderList reminders = TwentyReminders();
    DaySources days(nullptr, &reminders, nullptr);
    const Date today = *Date::FromCivil(2023, 3, 15);
    for (auto _ : state) {
        for (int k = 0; k < 3; ++k) benchmark::DoNotOptimize(days.GetDayInfo(today + k, kRemindersPart));
    }
}
BENCHMARK(BM_AlertCheckDays)->Unit(benchmark::kMicrosecond);
// Each part of day information alone over 396 consecutive days: the almanac
// row, the festivals (128 rules, ten of them counted from a solar term), the
// twenty memos, and the dates only.
static void BM_DayInfoPart(benchmark::State& state) {
    RebuildSources s(state);
    DaySources days(&s.festivals, &s.reminders, &s.almanac);
    const DayParts parts{state.range(0) == 0, state.range(0) == 1, state.range(0) == 2};
    static const char* const kParts[] = {"almanac", "festivals", "memos", "dates only"};
    state.SetLabel(kParts[state.range(0)]);
    const Date first = *Date::FromCivil(2023, 3, 1);
    for (auto _ : state) {
        for (const Date date : DateRange(first, first + 395)) {
            benchmark::DoNotOptimize(days.GetDayInfo(date, parts));
        }
    }
}
BENCHMARK(BM_DayInfoPart)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
