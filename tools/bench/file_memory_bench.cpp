// Memory a data file costs while it is read, for files at the program's
// limits: the peak of heap bytes held during the read, beside the file's
// size. The readers keep a file's text once and index its lines by offset,
// so the peak stays within about ten times the file's size; a reader that
// made an object per line would cost far more for a file of line breaks.
//
// The counters: file_MiB, peak_MiB (heap bytes held at the worst moment of
// one read, less what was held before it) and per_byte (peak / file size).
//
// BM_MonthOfReminderFile loads a memo file of many memos spread over a month
// and lays that month out as a flip does. A day refers to the memos of the
// one list rather than copying their records, so a memo costs its record
// and a little per day it occurs on, within twice the record however many
// days that is. Its counters: reminders, occurrences (days of the month's
// data each memo occurs on, on average), per_reminder (heap bytes of the
// list and the month's data, less those of the same month without memos,
// divided by the memos), per_record (per_reminder / the record's size) and
// load_ms; its time is that of one month's data.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <utility>

#include "base/file_system.h"
#include "base/profile_file.h"
#include "calendar/calendar_texts.h"
#include "festivals/festival_file.h"
#include "holidays/holiday_schedule.h"
#include "holidays/holiday_schedule_file.h"
#include "reminders/reminder_file.h"
#include "tests/support/reminder_samples.h"
#include "tools/bench/bench_almanac.h"
#include "tools/bench/counted_heap.h"
#include "view/month_layout.h"
#include "view/skin_template.h"

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
// One benchmark per file, each read twice.
const bool kPeaksRegistered = [] {
    const std::pair<const char*, const FileAtLimit*> files[] = {{"reminder_file_of_line_breaks", &kReminders},
                                                                {"festival_file_of_short_lines", &kFestivals},
                                                                {"holiday_schedule", &kHolidays},
                                                                {"settings_file_of_line_breaks", &kSettings},
                                                                {"settings_file_of_short_keys", &kSettingKeys}};
    for (const auto& [name, file] : files) {
        benchmark::RegisterBenchmark((std::string("BM_PeakWhileReading/") + name).c_str(), BM_PeakWhileReading, *file)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(2);
    }
    return true;
}();

// `count` memos over March 2023: one-off appointments on each day in turn,
// weekly meetings, monthly bills and daily habits, a quarter of each.
ReminderList RemindersOverMarch(int count) {
    ReminderList list;
    list.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int day = 1 + i % 28;
        switch (i % 4) {
            case 0:
                list.push_back(Gregorian(ReminderRepeat::kNone, 2023, 3, 1 + i % 31, 9, 0, "约会"));
                break;
            case 1:
                list.push_back(Gregorian(ReminderRepeat::kWeekly, 2023, 1, 2 + i % 7, 10, 0, "周会"));
                break;
            case 2:
                list.push_back(Gregorian(ReminderRepeat::kMonthly, 2022, 1, day, 9, 0, "账单"));
                break;
            default:
                list.push_back(Gregorian(ReminderRepeat::kDaily, 2020, 1, 1, 7, 0, "晨跑"));
                break;
        }
    }
    return list;
}

// The month a flip shows: its days, their balloons and 30 days of forenotice.
MonthLayout MonthOf(const SkinTemplate& skin, DayInfoSource& days) {
    MonthLayoutRequest request;
    request.month = *YearMonth::From(2023, 3);
    request.today = *Date::FromCivil(2023, 3, 10);
    request.listForDays = 30;
    return LayOutMonth(skin, request, days);
}

std::size_t Occurrences(const MonthLayout& month) {
    std::size_t n = 0;
    for (const auto& day : month.days) n += day.second.reminders.size();
    return n;
}

void BM_MonthOfReminderFile(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const SkinTemplate skin = LoadSkinTemplate(SOLVANE_SOURCE_DIR "/data", "Default", FontFamilyQuery());
    AlmanacDatabase almanac;
    if (!OpenBenchDatabase(almanac)) state.SkipWithError("no database");
    FestivalList festivals;
    LoadFestivals(ShippedFestivalFile(), festivals);
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "solvane-memory-bench-reminders.cfg";
    if (!SaveReminders(path, RemindersOverMarch(count))) state.SkipWithError("cannot write the memo file");

    const ReminderList none;
    DaySources bareDays(&festivals, &none, &almanac);
    const std::size_t beforeBare = held.load();
    const MonthLayout bare = MonthOf(skin, bareDays);
    const std::size_t bareBytes = held.load() - beforeBare;

    const std::size_t beforeList = held.load();
    const auto loadStart = std::chrono::steady_clock::now();
    ReminderList list;
    if (!LoadReminders(path, list) || list.size() != static_cast<std::size_t>(count))
        state.SkipWithError("the memo file did not load");
    const std::chrono::duration<double, std::milli> loading = std::chrono::steady_clock::now() - loadStart;
    DaySources days(&festivals, &list, &almanac);
    MonthLayout month = MonthOf(skin, days);
    const std::size_t withReminders = held.load() - beforeList;
    const std::size_t occurrences = Occurrences(month);

    for (auto _ : state) {
        month = MonthOf(skin, days);
        benchmark::DoNotOptimize(month.days.size());
    }
    std::filesystem::remove(path);
    const double perReminder = (static_cast<double>(withReminders) - static_cast<double>(bareBytes)) / count;
    state.counters["reminders"] = count;
    state.counters["occurrences"] = static_cast<double>(occurrences) / count;
    state.counters["per_reminder"] = perReminder;
    state.counters["per_record"] = perReminder / static_cast<double>(sizeof(Reminder));
    state.counters["load_ms"] = loading.count();
    benchmark::DoNotOptimize(bare.days.size());
}
BENCHMARK(BM_MonthOfReminderFile)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
