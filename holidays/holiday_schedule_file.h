// The holiday schedule's file, Ostrel\offdays.cfg. Its rules:
// - one off day a line, "2026-10-01,休,国庆节": the date (1901-2099, month
//   and day with or without their leading zero), 休 or 班, and the name of
//   the holiday the day belongs to, blanks around each field ignored;
// - lines starting with '#' or ';' and blank lines are comments;
// - GBK text with CR LF line ends as the program writes it; a file an editor
//   saved as UTF-8 or UTF-16 is read too, and added to in that encoding;
// - a later line for the same date wins;
// - the schedule the program ships lies beside it as "offdays-shipped.cfg",
//   replaced by every update; the user's file, which no update replaces,
//   corrects it date by date. Users may correct a day or add a year by hand,
//   and the update check appends newly published years.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "holidays/holiday_schedule.h"

// A line that was not taken, for the command-line tool to report.
struct HolidayScheduleProblem {
    int line = 0;        // 1-based
    std::string reason;  // GBK
};

// Largest text read; anything beyond it is ignored and reported.
inline constexpr std::size_t kMaxHolidayScheduleBytes = 512 * 1024;
// Largest file taken in at all (room for that text as UTF-16); a larger one
// is taken as damaged and not read.
inline constexpr std::size_t kHolidayScheduleFileLimit = 4 * kMaxHolidayScheduleBytes;
// What users call the schedule in messages about its file.
inline constexpr char kHolidayScheduleNoun[] = "节假日安排";
// Longest holiday name, in bytes.
inline constexpr std::size_t kMaxOffDayNameBytes = 64;

struct HolidayScheduleFile {
    HolidaySchedule schedule;
    std::vector<HolidayScheduleProblem> problems;
    int dayLines = 0;  // lines that held a day, duplicates included
};

// Reads the file's text. Each bad line is skipped and named in `problems`:
// dates that do not exist or lie outside 1901-2099, a kind other than 休 or
// 班, a missing name or one that is too long, holds a comma or a control
// character or is not GBK. A later line for the same date wins (and the
// earlier one is named). Text past kMaxHolidayScheduleBytes is not read.
HolidayScheduleFile ParseHolidaySchedule(const std::string& contents);

// The shipped schedule beside the user's file at `path`. Its lines are not
// reported as problems.
std::filesystem::path ShippedHolidaySchedulePath(const std::filesystem::path& path);
HolidayScheduleFile ShippedHolidaySchedule(const std::filesystem::path& path);

// The shipped schedule with the user's file at `path` over it: a day in the
// user's file replaces the shipped day of that date; `problems` and
// `dayLines` are the user's file's. A missing user file gives the shipped
// schedule; false when something is at the path but could not be read (or
// is beyond kHolidayScheduleFileLimit, or in no encoding the program reads).
bool LoadHolidaySchedule(const std::filesystem::path& path, HolidayScheduleFile& file);
// For the month, which keeps what can be read: the schedule as
// LoadHolidaySchedule makes it, and how the read went. kMissing gives the
// shipped schedule, kUnreadable (or a file in no encoding the program reads)
// an empty one, and kTooLarge the shipped one with the user's days of the
// lines within kHolidayScheduleFileLimit over it.
FileRead ReadHolidaySchedule(const std::filesystem::path& path, HolidayScheduleFile& file);

// "2026-10-01,休,国庆节".
std::string FormatOffDayLine(const OffDay& day);

// The file's bytes with the days appended in the file's own encoding (GBK,
// UTF-8 or UTF-16, CR LF line ends); the existing bytes stay as they are.
// An empty file starts with a comment line saying what it is for.
std::string AppendOffDays(const std::string& contents, const std::vector<OffDay>& days);
