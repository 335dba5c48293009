// Memory a data file costs while it is read, for files at the program's
// limits: the peak of heap bytes held during the read, beside the file's
// size. The readers keep a file's text once and index its lines by offset,
// so the peak stays within about ten times the file's size; a reader that
// made an object per line would cost far more for a file of line breaks.
//
// The counters: file_MiB, peak_MiB (heap bytes held at the worst moment of
// one read, less what was held before it) and per_byte (peak / file size).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "base/file_system.h"
#include "base/profile_file.h"
#include "festivals/festival_file.h"
#include "holidays/holiday_schedule.h"
#include "holidays/holiday_schedule_file.h"
#include "reminders/reminder_file.h"
#include "tools/bench/counted_heap.h"

namespace {

std::filesystem::path FileHolding(const std::string& name, const std::string& contents) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / ("solvane-memory-bench-" + name);
    ReplaceFileAtomically(path, contents);
    return path;
}

// The cheapest lines to write and the most to index: line breaks only.
std::string LineBreaks(std::size_t bytes) {
    std::string text = "[ITEMS]\r\n";
    text.resize(bytes, '\n');
    return text;
}

// One line again and again, up to a little under `bytes`.
std::string Repeated(const std::string& line, std::size_t bytes) {
    std::string text;
    while (text.size() + line.size() < bytes) text += line;
    return text;
}

// A file at its reader's limit and the reader.
struct FileAtLimit {
    const char* name;
    std::string (*contents)();
    void (*read)(const std::filesystem::path&);
};

const FileAtLimit kReminders{"reminders.cfg", [] { return LineBreaks(kReminderFileLimit - 1); },
                             [](const std::filesystem::path& path) {
                                 ReminderList list;
                                 benchmark::DoNotOptimize(LoadReminders(path, list));
                             }};
const FileAtLimit kFestivals{"holidays.cfg",
                             [] { return Repeated("YL,JR,10-1,国庆节,,,,1,1,1\r\n", kFestivalFileLimit); },
                             [](const std::filesystem::path& path) {
                                 FestivalList list;
                                 benchmark::DoNotOptimize(LoadFestivals(path, list));
                             }};
const FileAtLimit kHolidays{"offdays.cfg",
                            [] { return Repeated("2026-10-01,休,国庆节\r\n", kHolidayScheduleFileLimit); },
                            [](const std::filesystem::path& path) {
                                HolidayScheduleFile file;
                                benchmark::DoNotOptimize(LoadHolidaySchedule(path, file));
                            }};
const FileAtLimit kSettings{"Solvane.ini", [] { return LineBreaks(kProfileFileLimit - 1); },
                            [](const std::filesystem::path& path) {
                                ProfileDocument document;
                                benchmark::DoNotOptimize(document.Load(path));
                            }};

// The most entries a settings file can hold: one short key a line.
const FileAtLimit kSettingKeys{"keys.ini", [] { return "[Ostrel]\r\n" + Repeated("a=\r\n", kProfileFileLimit - 16); },
                               kSettings.read};

// Reads the file and reports the read's peak beside the file's size.
void BM_PeakWhileReading(benchmark::State& state, const FileAtLimit& file) {
    const std::string contents = file.contents();
    const std::filesystem::path path = FileHolding(file.name, contents);
    std::size_t worst = 0;
    for (auto _ : state) {
        const std::size_t before = held.load();
        peak = before;
        file.read(path);
        worst = std::max(worst, peak.load() - before);
    }
    std::filesystem::remove(path);
    const double mib = 1024.0 * 1024.0;
    state.counters["file_MiB"] = static_cast<double>(contents.size()) / mib;
    state.counters["peak_MiB"] = static_cast<double>(worst) / mib;
    state.counters["per_byte"] = static_cast<double>(worst) / static_cast<double>(contents.size());
}
BENCHMARK_CAPTURE(BM_PeakWhileReading, reminder_file_of_line_breaks, kReminders)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(BM_PeakWhileReading, festival_file_of_short_lines, kFestivals)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(BM_PeakWhileReading, holiday_schedule, kHolidays)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(BM_PeakWhileReading, settings_file_of_line_breaks, kSettings)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

BENCHMARK_CAPTURE(BM_PeakWhileReading, settings_file_of_short_keys, kSettingKeys)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace
