#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "almanac/almanac_database.h"
#include "almanac/day_info.h"
#include "almanac/generator/database_writer.h"
#include "base/file_system.h"
#include "festivals/festival_file.h"
#include "reminders/forenotice.h"

namespace {

// The full 1901-2099 database, generated once into the temporary folder.
const std::string& DatabasePath() {
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() / "solvane-dayinfo-bench.mdb").string();
        const almanac_gen::AlmanacCalendar calendar(1901, 2099);
        std::string error;
        if (!almanac_gen::WriteAlmanacDatabase(p, calendar, 1901, 2099, error)) std::fprintf(stderr, "%s\n", error.c_str());
        return p;
    }();
    return path;
}

std::string ShippedFestivalFile() {
    return std::string(SOLVANE_SOURCE_DIR) + "/data/Ostrel/holidays.cfg";
}

Reminder Memo(std::int32_t calendar, std::int32_t repeat, int y, int m, int d, int hour, const char* text) {
    Reminder r;
    r.calendar = calendar;
    r.repeat = repeat;
    r.start.year = static_cast<std::uint16_t>(y);
    r.start.month = static_cast<std::uint16_t>(m);
    r.start.day = static_cast<std::uint16_t>(d);
    r.start.hour = static_cast<std::uint16_t>(hour);
    r.firstAlert = kAlert15Minutes;
    SetReminderText(r, text);
    return r;
}

// Twenty memos of every kind a user keeps: daily and weekly habits, monthly
// bills, birthdays in both calendars, one-off appointments.
ReminderList TwentyMemos() {
    ReminderList memos;
    for (int i = 0; i < 4; ++i) memos.push_back(Memo(kReminderGregorian, kRepeatNone, 2023, 3, 3 + 5 * i, 9, "约会"));
    memos.push_back(Memo(kReminderGregorian, kRepeatDaily, 2020, 1, 1, 7, "晨跑"));
    memos.push_back(Memo(kReminderGregorian, kRepeatDaily, 2022, 6, 1, 22, "吃药"));
    memos.push_back(Memo(kReminderGregorian, kRepeatWeekly, 2021, 1, 4, 10, "周会"));
    memos.push_back(Memo(kReminderGregorian, kRepeatBiweekly, 2021, 1, 8, 15, "双周报告"));
    for (int i = 0; i < 4; ++i) memos.push_back(Memo(kReminderGregorian, kRepeatMonthly, 2019, 1, 5 + 7 * i, 9, "账单"));
    for (int i = 0; i < 4; ++i) memos.push_back(Memo(kReminderGregorian, kRepeatYearly, 1980, 1 + 3 * i, 12, 0, "生日"));
    for (int i = 0; i < 3; ++i) memos.push_back(Memo(kReminderLunar, kRepeatYearly, 1960, 2 + 4 * i, 8, 0, "农历生日"));
    memos.push_back(Memo(kReminderLunar, kRepeatMonthly, 2000, 1, 15, 19, "上香"));
    return memos;
}

}  // namespace

// The data work of one month-view rebuild: day information (almanac, festivals,
// memos) for the 31 days of March 2023, then the forenotice lines of a 365-day
// horizon from 15 March with memos and solar terms switched on and an area
// large enough for every line (396 GetDayInfo calls in all).
static void BM_MonthRebuildData(benchmark::State& state) {
    AlmanacDatabase almanac;
    almanac.CreateEngine();
    if (!almanac.Open(DatabasePath())) state.SkipWithError("no database");
    FestivalList festivals;
    LoadFestivals(festivals, ShippedFestivalFile());
    if (festivals.empty()) state.SkipWithError("no festival file");
    const ReminderList memos = TwentyMemos();
    DaySources days(&festivals, &memos, &almanac);
    const ForenoticeSwitches switches{true, true};
    std::size_t lines = 0;
    for (auto _ : state) {
        for (int d = 1; d <= 31; ++d) benchmark::DoNotOptimize(days.GetDayInfo(2023, 3, d, true, true, true));
        const auto list = BuildForenoticeLines(MakeDate(2023, 3, 15), Rect{0, 0, 300, 1 << 30}, 20, 365, switches, days);
        lines = list.size();
        benchmark::DoNotOptimize(list.data());
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["festivals"] = static_cast<double>(festivals.size());
}
BENCHMARK(BM_MonthRebuildData)->Unit(benchmark::kMillisecond);

// The same work as the program did it before the year index and the range
// reads: every rule tested on every date, one full-row query per date (the
// free GetDayInfo), with the solar terms of single dates remembered.
class PointQuerySources : public DayInfoSource {
public:
    PointQuerySources(const FestivalList* festivals, const ReminderList* reminders, AlmanacDatabase* almanac)
        : festivals_(festivals), reminders_(reminders), almanac_(almanac), terms_(almanac) {}
    DayInfo GetDayInfo(int year, int month, int day, bool withAlmanac, bool withFestivals,
                       bool withReminders) override {
        return ::GetDayInfo(year, month, day, withAlmanac, withFestivals, withReminders, festivals_, reminders_,
                            almanac_, &terms_);
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
    AlmanacDatabase almanac;
    almanac.CreateEngine();
    if (!almanac.Open(DatabasePath())) state.SkipWithError("no database");
    FestivalList festivals;
    LoadFestivals(festivals, ShippedFestivalFile());
    const ReminderList memos = TwentyMemos();
    static const char* const kWays[] = {"kept", "fresh", "point queries"};
    state.SetLabel(kWays[state.range(0)]);
    auto kept = std::make_unique<DaySources>(&festivals, &memos, &almanac);
    PointQuerySources pointQueries(&festivals, &memos, &almanac);
    const ForenoticeSwitches switches{true, true};
    for (auto _ : state) {
        if (state.range(0) == 1) kept = std::make_unique<DaySources>(&festivals, &memos, &almanac);
        DayInfoSource& days = state.range(0) == 2 ? static_cast<DayInfoSource&>(pointQueries) : *kept;
        for (int d = 1; d <= 31; ++d) benchmark::DoNotOptimize(days.GetDayInfo(2023, 3, d, true, true, true));
        const auto list = BuildForenoticeLines(MakeDate(2023, 3, 15), Rect{0, 0, 300, 1 << 30}, 20, 365, switches, days);
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_MonthRebuildDataBy)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The minute's alert check asks for the memos of three days, never the database.
static void BM_AlertCheckDays(benchmark::State& state) {
    const ReminderList memos = TwentyMemos();
    DaySources days(nullptr, &memos, nullptr);
    for (auto _ : state) {
        for (int k = 0; k < 3; ++k) benchmark::DoNotOptimize(days.GetDayInfo(2023, 3, 15 + k, false, false, true));
    }
}
BENCHMARK(BM_AlertCheckDays)->Unit(benchmark::kMicrosecond);
// Each part of day information alone over 396 consecutive days: the almanac
// row, the festivals (128 rules, ten of them counted from a solar term), the
// twenty memos, and the dates only.
static void BM_DayInfoPart(benchmark::State& state) {
    AlmanacDatabase almanac;
    almanac.CreateEngine();
    if (!almanac.Open(DatabasePath())) state.SkipWithError("no database");
    FestivalList festivals;
    LoadFestivals(festivals, ShippedFestivalFile());
    const ReminderList memos = TwentyMemos();
    DaySources days(&festivals, &memos, &almanac);
    const bool withAlmanac = state.range(0) == 0, withFestivals = state.range(0) == 1, withMemos = state.range(0) == 2;
    static const char* const kParts[] = {"almanac", "festivals", "memos", "dates only"};
    state.SetLabel(kParts[state.range(0)]);
    for (auto _ : state) {
        SystemTime t = MakeDate(2023, 3, 1);
        for (int d = 0; d < 396; ++d, t = AddDays(t, 1)) {
            benchmark::DoNotOptimize(days.GetDayInfo(t.year, t.month, t.day, withAlmanac, withFestivals, withMemos));
        }
    }
}
BENCHMARK(BM_DayInfoPart)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
