#include <benchmark/benchmark.h>

#include "calendar/date.h"
#include "calendar/lunar_calendar.h"

// SolarToLunar over every day of one year, as the month view, the forenotice
// scan and the reminder checks call it.
static void BM_SolarToLunarWholeYear(benchmark::State& state) {
    const int year = static_cast<int>(state.range(0));
    const Date first = *Date::FromCivil(year, 1, 1), last = *Date::FromCivil(year, 12, 31);
    for (auto _ : state) {
        for (const Date date : DateRange(first, last)) benchmark::DoNotOptimize(SolarToLunar(date));
    }
    state.SetItemsProcessed(state.iterations() * (last - first + 1));
}
BENCHMARK(BM_SolarToLunarWholeYear)->Arg(1901)->Arg(2023)->Arg(2099);
