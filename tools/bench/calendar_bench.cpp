#include <benchmark/benchmark.h>

#include "calendar/gregorian.h"
#include "calendar/lunar_calendar.h"

// SolarToLunar over every day of one year, as the month view, the forenotice
// scan and the reminder checks call it.
static void BM_SolarToLunarWholeYear(benchmark::State& state) {
    const int year = static_cast<int>(state.range(0));
    const std::int64_t first = SerialFromCivil(year, 1, 1);
    const std::int64_t last = SerialFromCivil(year, 12, 31);
    for (auto _ : state) {
        for (std::int64_t s = first; s <= last; ++s) {
            const CivilDate c = CivilFromSerial(s);
            benchmark::DoNotOptimize(SolarToLunar(c.year, c.month, c.day));
        }
    }
    state.SetItemsProcessed(state.iterations() * (last - first + 1));
}
BENCHMARK(BM_SolarToLunarWholeYear)->Arg(1901)->Arg(2023)->Arg(2099);
