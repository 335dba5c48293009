// The holiday schedule: the days that the State Council's yearly notice
// makes days off (休) or make-up working days (班), each one an off day, and
// the holidays they group into. Where the schedule comes from is told
// elsewhere: its file (holidays/holiday_schedule_file.h), the law's days for
// a year whose notice is not out (holidays/statutory_holidays.h) and a year
// fetched from the update site (holidays/served_holiday_schedule.h).
#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "calendar/date.h"

enum class OffDayKind { kOff, kWork };  // 休, 班

// "休" or "班": the kind as the file writes it and as the day's cell shows it.
const char* OffDayKindMark(OffDayKind kind);

struct OffDay {
    Date date;
    OffDayKind kind = OffDayKind::kOff;
    std::string name;  // the holiday the day belongs to, GBK
    // Fixed by the holiday law alone, for a year whose schedule is not
    // published yet (holidays/statutory_holidays.h); never read from a file.
    bool statutory = false;
};

class HolidaySchedule {
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

// Whether people work on the date: a 班 day, or a day from Monday to Friday
// that is no 休 day. Without a schedule, Monday to Friday.
bool IsWorkingDay(const HolidaySchedule* schedule, const Date& date);

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
std::vector<HolidayPeriod> HolidayPeriods(const HolidaySchedule& schedule);

// The period an off day belongs to; none for a day of no period (a make-up
// day far from any holiday of its name).
const HolidayPeriod* PeriodOfDay(const std::vector<HolidayPeriod>& periods, const Date& date);
