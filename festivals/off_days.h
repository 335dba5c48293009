// The public-holiday schedule: the days that the State Council's yearly notice
// makes days off (休) or make-up working days (班). The file Ostrel\offdays.cfg
// holds one day a line, "2026-10-01,休,国庆节", GBK text with CR LF line ends;
// lines starting with '#' or ';' are comments. Users may correct it or add a
// year by hand, and the update check appends newly published years.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "calendar/gregorian.h"

enum class OffDayKind { kOff, kWork };  // 休, 班

struct OffDay {
    CivilDate date{0, 0, 0};
    OffDayKind kind = OffDayKind::kOff;
    std::string name;  // the holiday the day belongs to, GBK
};

// A line that was not taken, for the command-line tool to report.
struct OffDayProblem {
    int line = 0;  // 1-based
    std::string reason;  // GBK
};

// Largest file read; anything beyond it is ignored and reported.
inline constexpr std::size_t kMaxOffDayFileBytes = 512 * 1024;
// Longest holiday name, in bytes.
inline constexpr std::size_t kMaxOffDayNameBytes = 64;

class OffDaySchedule {
public:
    // Later entries for the same date replace earlier ones.
    void Set(const OffDay& day);
    const OffDay* Find(int year, int month, int day) const;
    bool empty() const { return days_.empty(); }
    std::size_t size() const { return days_.size(); }
    // In date order.
    std::vector<OffDay> Days() const;
    // The years whose holidays the schedule holds (see HolidayPeriods), ascending.
    std::vector<int> CoveredYears() const;

private:
    std::map<std::int64_t, OffDay> days_;  // by serial day
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

// A missing file gives an empty schedule; false when something is at the path
// but could not be read.
bool LoadOffDays(const std::string& path, OffDayFile& file);

// "2026-10-01,休,国庆节".
std::string FormatOffDayLine(const OffDay& day);

// One holiday: its consecutive days off of one name, and the make-up working
// days of that name that belong to it (the nearest run of days off within
// four weeks).
struct HolidayPeriod {
    std::string name;
    CivilDate first{0, 0, 0};
    CivilDate last{0, 0, 0};
    int days = 0;
    std::vector<CivilDate> workDays;  // ascending
    // The notice's year: that of the last day off (元旦 may begin in December).
    int Year() const { return last.year; }
};
// Every period, ordered by first day off.
std::vector<HolidayPeriod> HolidayPeriods(const OffDaySchedule& schedule);

// "国庆节：10月1日至7日放假调休，共7天" (放假调休 when it has make-up days, else
// 放假: "端午节：6月19日至21日放假，共3天", "清明节：4月5日放假，共1天").
std::string HolidayPeriodText(const HolidayPeriod& period);
// Its make-up days, "9月20日（周日）、10月10日（周六）上班"; "" without any.
std::string HolidayWorkDaysText(const HolidayPeriod& period);

// The balloon's line for the day: "国庆节假期 休" or "调休上班 班".
std::string OffDayBalloonText(const OffDay& day);
// The badge drawn in the day's cell: "休" or "班".
std::string OffDayBadgeText(OffDayKind kind);

// "2007-2026", "2007-2010、2012" or "" for an empty schedule.
std::string CoveredYearsText(const OffDaySchedule& schedule);

// A schedule fetched from the update site, checked before it is merged.
inline constexpr std::size_t kMaxServedOffDayLines = 400;
inline constexpr std::size_t kMaxServedOffDayBytes = 32 * 1024;

enum class ServedOffDaysVerdict {
    kMerged,        // new years to add
    kMalformed,     // a bad line, too long, or empty
    kChangesPast,   // it touches a year or a day already present
};

struct ServedOffDays {
    ServedOffDaysVerdict verdict = ServedOffDaysVerdict::kMalformed;
    std::vector<OffDay> days;  // to append, in date order
};

// A served file is taken only whole: every line must be a valid day or a
// comment, it holds at most kMaxServedOffDayLines lines, and every holiday in
// it belongs to a year after the last one of `current` and falls on no day
// `current` already has.
ServedOffDays CheckServedOffDays(const OffDaySchedule& current, const std::string& served);

// The file's text with the days appended (CR LF line ends, the existing lines
// and comments kept; a file that was UTF-8 is rewritten as GBK).
std::string AppendOffDays(const std::string& contents, const std::vector<OffDay>& days);

// Merges a served file into the file at `path` in one atomic replace; true
// only when the file changed. A missing, unreadable or malformed file, or one
// that brings nothing new, leaves it untouched.
bool MergeServedOffDays(const std::string& path, const std::string& served);

// Whether the update site should be asked for a schedule: from 1 November
// when the file lacks the coming year (its notice may be out), before that
// when it lacks the current one (a notice published late, a file restored
// from an older copy).
bool WantsComingYear(const OffDaySchedule& schedule, const CivilDate& today);
