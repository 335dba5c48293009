// The public-holiday schedule: the days that the State Council's yearly notice
// makes days off (休) or make-up working days (班). The file Ostrel\offdays.cfg
// holds one day a line, "2026-10-01,休,国庆节", GBK text with CR LF line ends;
// lines starting with '#' or ';' are comments. Users may correct it or add a
// year by hand, and the update check appends newly published years.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "calendar/date.h"

enum class OffDayKind { kOff, kWork };  // 休, 班

struct OffDay {
    Date date;
    OffDayKind kind = OffDayKind::kOff;
    std::string name;  // the holiday the day belongs to, GBK
    // Fixed by the holiday law alone, for a year whose schedule is not
    // published yet (holidays/statutory_holidays.h); never read from a file.
    bool statutory = false;
};

// A line that was not taken, for the command-line tool to report.
struct OffDayProblem {
    int line = 0;        // 1-based
    std::string reason;  // GBK
};

// Largest text read; anything beyond it is ignored and reported.
inline constexpr std::size_t kMaxOffDayFileBytes = 512 * 1024;
// Largest file taken in at all (room for that text as UTF-16); a larger one
// is taken as damaged and not read.
inline constexpr std::size_t kOffDayFileLimit = 4 * kMaxOffDayFileBytes;
// Longest holiday name, in bytes.
inline constexpr std::size_t kMaxOffDayNameBytes = 64;

class OffDaySchedule {
public:
    // Later entries for the same date replace earlier ones.
    void Set(const OffDay& day);
    const OffDay* Find(const Date& date) const;
    bool empty() const { return days_.empty(); }
    std::size_t size() const { return days_.size(); }
    // In date order.
    std::vector<OffDay> Days() const;
    // The years whose published holidays the schedule holds (see
    // HolidayPeriods), ascending; the law's days alone cover no year.
    std::vector<int> CoveredYears() const;

    // A year whose days are the law's alone, its schedule not published yet.
    void MarkStatutoryOnly(int year) { statutoryOnly_.insert(year); }
    bool StatutoryOnly(int year) const { return statutoryOnly_.count(year) != 0; }

private:
    std::map<Date, OffDay> days_;
    std::set<int> statutoryOnly_;
};

struct OffDayFile {
    OffDaySchedule schedule;
    std::vector<OffDayProblem> problems;
    int dayLines = 0;  // lines that held a day, duplicates included
};

// Reads the file's text. Each bad line is skipped and named in `problems`:
// dates that do not exist or lie outside 1901-2099, a kind other than 休 or
// 班, a missing name or one that is too long, holds a comma or a control
// character or is not GBK. A later line for the same date wins (and the
// earlier one is named). Text past kMaxOffDayFileBytes is not read. A file
// saved as UTF-8 by an editor is read too.
OffDayFile ParseOffDays(const std::string& contents);

// The schedule the program ships, "offdays-shipped.cfg" beside the user's
// file: replaced by every update, while the user's file is never touched by
// one. Its lines are not reported as problems.
std::filesystem::path ShippedOffDaysPath(const std::filesystem::path& path);
OffDayFile ShippedOffDays(const std::filesystem::path& path);

// The shipped schedule with the user's file at `path` over it: a day in the
// user's file replaces the shipped day of that date; `problems` and
// `dayLines` are the user's file's. A missing user file gives the shipped
// schedule; false when something is at the path but could not be read (or
// is beyond kOffDayFileLimit, or in no encoding the program reads).
bool LoadOffDays(const std::filesystem::path& path, OffDayFile& file);

// "2026-10-01,休,国庆节".
std::string FormatOffDayLine(const OffDay& day);

// One holiday: its consecutive days off of one name, and the make-up working
// days of that name that belong to it (the nearest run of days off within
// four weeks).
struct HolidayPeriod {
    std::string name;
    Date first;
    Date last;
    int days = 0;
    std::vector<Date> workDays;  // ascending
    bool statutory = false;      // the law's days, the year's schedule not out yet
    // The notice's year: that of the last day off (元旦 may begin in December).
    int Year() const { return last.year(); }
};
// Every period, ordered by first day off.
std::vector<HolidayPeriod> HolidayPeriods(const OffDaySchedule& schedule);

// "国庆节：10月1日至7日放假调休，共7天" (放假调休 when it has make-up days, else
// 放假: "端午节：6月19日至21日放假，共3天", "清明节：4月5日放假，共1天").
std::string HolidayPeriodText(const HolidayPeriod& period);
// Its make-up days, "9月20日（周日）、10月10日（周六）上班"; "" without any.
std::string HolidayWorkDaysText(const HolidayPeriod& period);
// Some of its make-up days on their own, announced before the holiday:
// "国庆节调休：9月20日（周日）上班"; "" for none.
std::string MakeUpDaysText(const HolidayPeriod& period, const std::vector<Date>& dates);

// The period a day off or make-up working day belongs to; none for a day of
// no period (a make-up day far from any holiday of its name).
const HolidayPeriod* PeriodOfDay(const std::vector<HolidayPeriod>& periods, const Date& date);

// The arrangement of the holiday a day belongs to, for the day menu's 休/班
// item: its days off, then its make-up days, then for the law's days alone
// the note that the year's schedule is not out; "" for a day of no holiday.
std::string HolidayArrangementText(const OffDaySchedule& schedule, const Date& date);

// The balloon's line for the day: "国庆节假期 休" or "国庆节调休上班 班".
std::string OffDayBalloonText(const OffDay& day);
// The badge drawn in the day's cell: "休" or "班".
std::string OffDayBadgeText(OffDayKind kind);

// "2007-2026", "2007-2010、2012" or "" for an empty schedule.
std::string CoveredYearsText(const OffDaySchedule& schedule);

// A schedule fetched from the update site, checked before it is merged.
inline constexpr std::size_t kMaxServedOffDayLines = 400;
inline constexpr std::size_t kMaxServedOffDayBytes = 32 * 1024;

enum class ServedOffDaysVerdict {
    kMerged,       // the year asked for, to add
    kMalformed,    // a bad line, too long, or empty
    kChangesPast,  // it touches a year or a day already present
    kWrongYear,    // it holds days of a year other than the one asked for
    kImplausible,  // not what a year of the State Council's notice looks like
};

struct ServedOffDays {
    ServedOffDaysVerdict verdict = ServedOffDaysVerdict::kMalformed;
    std::vector<OffDay> days;  // to append, in date order
};

// A served file is taken only whole: every line must be a valid day or a
// comment, it holds at most kMaxServedOffDayLines lines, every holiday in it
// belongs to `year` (the one asked for, ScheduleYearToAsk), which `current`
// does not cover, and falls on no day `current` already has, and the whole
// looks like that year's notice (holidays/holiday_notice_shape.h). What a
// user's file holds of other years, a year merged before included, never
// stops the year asked for from being taken.
ServedOffDays CheckServedOffDays(const OffDaySchedule& current, const std::string& served, int year);

// The file's bytes with the days appended in the file's own encoding (GBK,
// UTF-8 or UTF-16, CR LF line ends); the existing bytes stay as they are.
std::string AppendOffDays(const std::string& contents, const std::vector<OffDay>& days);

// Merges a served file into the user's file at `path` (created when missing)
// in one atomic replace; true only when the file changed. An unreadable file,
// a file that wants no year on `today`, or a served one that CheckServedOffDays
// refuses for the year asked for, leaves it untouched.
bool MergeServedOffDays(const std::filesystem::path& path, const std::string& served, const Date& today);

// The year whose schedule the update site should be asked for: from
// 1 November the coming one when the file lacks it (its notice may be out),
// before that the current one when the file lacks it (a notice published
// late, a file restored from an older copy); none when the file has it.
std::optional<int> ScheduleYearToAsk(const OffDaySchedule& schedule, const Date& today);
inline bool WantsComingYear(const OffDaySchedule& schedule, const Date& today) {
    return ScheduleYearToAsk(schedule, today).has_value();
}
