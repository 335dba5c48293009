#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "almanac/almanac_database.h"
#include "base/file_system.h"
#include "tools/bench/bench_almanac.h"

namespace {

std::size_t TextBytes(const std::optional<AlmanacDayRow>& row) {
    std::size_t bytes = 0;
    if (row) {
        for (const std::string& text : row->texts) bytes += text.size();
    }
    return bytes;
}

}  // namespace

// The almanac part of one month-view rebuild read date by date: the row of
// each day of the month and of each day of a 365-day forenotice horizon (396
// reads of one date).
static void BM_MonthRebuildQueries(benchmark::State& state) {
    AlmanacDatabase db;
    if (!OpenBenchDatabase(db)) state.SkipWithError("no database");
    const Date first = *Date::FromCivil(2023, 3, 1), today = *Date::FromCivil(2023, 3, 15);
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const Date date : DateRange(first, first + 30)) bytes += TextBytes(db.ReadRow(date));
        for (const Date date : DateRange(today, today + 364)) bytes += TextBytes(db.ReadRow(date));
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * 396);
}
BENCHMARK(BM_MonthRebuildQueries)->Unit(benchmark::kMillisecond);

// The same rows read as day information reads them: the month and the
// horizon each in one range.
static void BM_MonthRebuildRanges(benchmark::State& state) {
    AlmanacDatabase db;
    if (!OpenBenchDatabase(db)) state.SkipWithError("no database");
    const Date first = *Date::FromCivil(2023, 3, 1), today = *Date::FromCivil(2023, 3, 15);
    for (auto _ : state) {
        benchmark::DoNotOptimize(db.ReadRows(first, first + 30));
        benchmark::DoNotOptimize(db.ReadRows(today, today + 364));
    }
    state.SetItemsProcessed(state.iterations() * 396);
}
BENCHMARK(BM_MonthRebuildRanges)->Unit(benchmark::kMillisecond);

// One solar-term lookup, as festival matching makes for OFFSETJQ rules.
static void BM_SolarTermLookup(benchmark::State& state) {
    AlmanacDatabase db;
    if (!OpenBenchDatabase(db)) state.SkipWithError("no database");
    const Date first = *Date::FromCivil(2023, 12, 1);
    int day = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(db.SolarTermOn(first + day));
        day = (day + 1) % 31;
    }
}
BENCHMARK(BM_SolarTermLookup)->Unit(benchmark::kMicrosecond);

// The generator's whole run: 1901-2099, 72 683 rows.
static void BM_GenerateAlmanac(benchmark::State& state) {
    const std::string path = (std::filesystem::temp_directory_path() / "solvane-almanac-gen-bench.mdb").string();
    for (auto _ : state) {
        const almanac::AlmanacCalendar calendar(1901, 2099);
        std::string error;
        if (!almanac_gen::WriteAlmanacDatabase(path, calendar, 1901, 2099, error)) state.SkipWithError(error.c_str());
    }
    RemoveFile(path);
}
BENCHMARK(BM_GenerateAlmanac)->Unit(benchmark::kMillisecond)->Iterations(3);
