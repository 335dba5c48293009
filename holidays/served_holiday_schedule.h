// A year of the holiday schedule fetched from the update site ("offdays.txt"
// beside the version file): which year to ask for, the checks it must pass
// before it reaches the user's file, and the merge that appends it there.
// What the site serves is trusted for nothing: a file for another year, a
// page served in its place or a generator gone wrong is refused whole.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "calendar/date.h"
#include "holidays/holiday_schedule.h"

inline constexpr std::size_t kMaxServedScheduleLines = 400;
inline constexpr std::size_t kMaxServedScheduleBytes = 32 * 1024;

enum class ServedScheduleVerdict {
    kMerged,       // the year asked for, to add
    kMalformed,    // a bad line, too long, or empty
    kChangesPast,  // it touches a year or a day already present
    kWrongYear,    // it holds days of a year other than the one asked for
    kImplausible,  // not what a year of the State Council's notice looks like
};

struct ServedSchedule {
    ServedScheduleVerdict verdict = ServedScheduleVerdict::kMalformed;
    std::vector<OffDay> days;  // to append, in date order
};

// A served file is taken only whole: every line must be a valid day or a
// comment, it holds at most kMaxServedScheduleLines lines, every holiday in it
// belongs to `year` (the one asked for, ScheduleYearToAsk), which `current`
// does not cover, and falls on no day `current` already has, and the whole
// looks like that year's notice (holidays/holiday_notice_shape.h). What a
// user's file holds of other years, a year merged before included, never
// stops the year asked for from being taken.
ServedSchedule CheckServedSchedule(const HolidaySchedule& current, const std::string& served, int year);

// Merges a served file into the user's file at `path` (created when missing)
// in one atomic replace; true only when the file changed. An unreadable file,
// a file that wants no year on `today`, or a served one that CheckServedSchedule
// refuses for the year asked for, leaves it untouched.
bool MergeServedSchedule(const std::filesystem::path& path, const std::string& served, const Date& today);

// The year whose schedule the update site should be asked for: from
// 1 November the coming one when the file lacks it (its notice may be out),
// before that the current one when the file lacks it (a notice published
// late, a file restored from an older copy); none when the file has it.
std::optional<int> ScheduleYearToAsk(const HolidaySchedule& schedule, const Date& today);
inline bool WantsComingYear(const HolidaySchedule& schedule, const Date& today) {
    return ScheduleYearToAsk(schedule, today).has_value();
}
