// What the benchmarks that read day information share: the full 1901-2099
// almanac database, generated once per program into the temporary folder,
// and the shipped festival file.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "almanac/almanac_database.h"
#include "tools/almanac-gen/database_writer.h"

inline const std::string& BenchDatabasePath() {
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() / "solvane-bench-almanac.mdb").string();
        const almanac::AlmanacCalendar calendar(1901, 2099);
        std::string error;
        if (!almanac_gen::WriteAlmanacDatabase(p, calendar, 1901, 2099, error))
            std::fprintf(stderr, "%s\n", error.c_str());
        return p;
    }();
    return path;
}

// The database opened; false (and the benchmark skipped) when it cannot be.
inline bool OpenBenchDatabase(AlmanacDatabase& almanac) {
    return almanac.CreateEngine() && almanac.Open(BenchDatabasePath());
}

inline std::string ShippedFestivalFile() { return std::string(SOLVANE_SOURCE_DIR) + "/data/Ostrel/holidays.cfg"; }
