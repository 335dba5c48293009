// Memory the days of a shown month hold for the reminders that occur on
// them. A day refers to the reminders of the one list instead of copying
// their 10 056-byte records, so a reminder costs its record in the list and
// a pointer per day it occurs on: within twice its record however many days
// of the month and the forenotice horizon it falls on.
//
// The counters: reminders, days (the month's 31 days and a horizon of 30 more,
// each kept as the month window keeps them), per_reminder (heap bytes of the
// list and the kept days, less those of the days without any reminder,
// divided by the reminders) and per_record (per_reminder / the record's size).
#include <benchmark/benchmark.h>

#include <map>

#include "days/day_info.h"
#include "tests/support/reminder_samples.h"
#include "tools/bench/counted_heap.h"

namespace {

// The days of March 2023 and the 30 after them, as a rebuild keeps them.
std::map<int, DayInfo> KeptDays(DaySources& days) {
    std::map<int, DayInfo> kept;
    const Date first = *Date::FromCivil(2023, 3, 1);
    for (int k = 0; k < 61; ++k) kept.emplace(k, days.GetDayInfo(first + k, kRemindersPart));
    return kept;
}

}  // namespace

// argument: how many daily reminders, each occurring on every kept day.
static void BM_HeapPerDailyReminder(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const ReminderList none;
    DaySources empty(nullptr, &none, nullptr);
    double perReminder = 0;
    for (auto _ : state) {
        const std::size_t start = held.load();
        const auto bare = KeptDays(empty);
        const std::size_t bareBytes = held.load() - start;
        ReminderList list(count,
                          MakeReminder(ReminderCalendar::kGregorian, ReminderRepeat::kDaily, 2020, 1, 1, 7, 0, "晨跑"));
        DaySources days(nullptr, &list, nullptr);
        const std::size_t before = held.load();
        const auto kept = KeptDays(days);
        const std::size_t listAndDays = sizeof(Reminder) * list.capacity() + (held.load() - before);
        benchmark::DoNotOptimize(kept.size() + bare.size());
        perReminder = static_cast<double>(listAndDays - bareBytes) / static_cast<double>(count);
    }
    state.counters["reminders"] = static_cast<double>(count);
    state.counters["days"] = 61;
    state.counters["per_reminder"] = perReminder;
    state.counters["per_record"] = perReminder / static_cast<double>(sizeof(Reminder));
}
BENCHMARK(BM_HeapPerDailyReminder)->Arg(1)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(2);
