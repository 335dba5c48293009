#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "almanac/almanac_database.h"
#include "almanac/generator/database_writer.h"
#include "base/file_system.h"
#include "calendar/gregorian.h"

namespace {

// The full 1901-2099 database, generated once into the temporary folder.
const std::string& DatabasePath() {
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() / "solvane-almanac-bench.mdb").string();
        const almanac_gen::AlmanacCalendar calendar(1901, 2099);
        std::string error;
        if (!almanac_gen::WriteAlmanacDatabase(p, calendar, 1901, 2099, error)) std::fprintf(stderr, "%s\n", error.c_str());
        return p;
    }();
    return path;
}

size_t ReadFullRow(AlmanacDatabase& db, int y, int m, int d) {
    size_t bytes = 0;
    auto recordset = db.Query(FullRowStatement(y, m, d));
    if (recordset && recordset->MoveFirst()) {
        for (int i = 0; i < kAlmanacRowColumns; ++i) bytes += recordset->Collect(i).size();
    }
    return bytes;
}

}  // namespace

// The almanac part of one month-view rebuild: a full row for each day of the
// month plus one for each day of a 365-day forenotice horizon (396 queries).
static void BM_MonthRebuildQueries(benchmark::State& state) {
    AlmanacDatabase db;
    db.CreateEngine();
    if (!db.Open(DatabasePath())) state.SkipWithError("no database");
    const SystemTime today = MakeDate(2023, 3, 15);
    for (auto _ : state) {
        size_t bytes = 0;
        for (int d = 1; d <= 31; ++d) bytes += ReadFullRow(db, 2023, 3, d);
        for (int n = 0; n < 365; ++n) {
            const SystemTime t = AddDays(today, n);
            bytes += ReadFullRow(db, t.year, t.month, t.day);
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * 396);
}
BENCHMARK(BM_MonthRebuildQueries)->Unit(benchmark::kMillisecond);

// One solar-term lookup, as festival matching makes for OFFSETJQ rules.
static void BM_SolarTermLookup(benchmark::State& state) {
    AlmanacDatabase db;
    db.CreateEngine();
    if (!db.Open(DatabasePath())) state.SkipWithError("no database");
    int day = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(db.SolarTermOn(2023, 12, 1 + day));
        day = (day + 1) % 31;
    }
}
BENCHMARK(BM_SolarTermLookup)->Unit(benchmark::kMicrosecond);

// The generator's whole run: 1901-2099, 72 683 rows.
static void BM_GenerateAlmanac(benchmark::State& state) {
    const std::string path = (std::filesystem::temp_directory_path() / "solvane-almanac-gen-bench.mdb").string();
    for (auto _ : state) {
        const almanac_gen::AlmanacCalendar calendar(1901, 2099);
        std::string error;
        if (!almanac_gen::WriteAlmanacDatabase(path, calendar, 1901, 2099, error)) state.SkipWithError(error.c_str());
    }
    RemoveFile(path);
}
BENCHMARK(BM_GenerateAlmanac)->Unit(benchmark::kMillisecond)->Iterations(3);
