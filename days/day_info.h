// Everything known about one Gregorian date: its texts, lunar date, almanac
// row, festivals and memos. The month view, the forenotice list, the daily
// notice and the alert check all work from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "almanac/almanac_database.h"
#include "almanac/solar_term_lookup.h"
#include "calendar/date.h"
#include "calendar/lunar_calendar.h"
#include "festivals/festival_rule.h"
#include "festivals/festival_year_index.h"
#include "holidays/holiday_schedule.h"
#include "reminders/reminder.h"

// The reminders occurring on a date, referred to in the one reminder list
// they were found in rather than copied: a record is 10 056 bytes, and a
// daily reminder occurs on every day of a month and its forenotice horizon.
// Valid while that list is unchanged, so whoever reloads the list lays out
// the days again before any old day is read.
class OccurringReminders {
public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Reminder;
        using difference_type = std::ptrdiff_t;
        using pointer = const Reminder*;
        using reference = const Reminder&;
        explicit const_iterator(std::vector<const Reminder*>::const_iterator at) : at_(at) {}
        const Reminder& operator*() const { return **at_; }
        const Reminder* operator->() const { return *at_; }
        const_iterator& operator++() {
            ++at_;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return at_ == other.at_; }
        bool operator!=(const const_iterator& other) const { return at_ != other.at_; }

    private:
        std::vector<const Reminder*>::const_iterator at_;
    };

    // Every reminder of the list, in its order (days made up by hand).
    static OccurringReminders AllOf(const ReminderList& list);

    void push_back(const Reminder& reminder) { occurring_.push_back(&reminder); }
    void clear() { occurring_.clear(); }
    bool empty() const { return occurring_.empty(); }
    std::size_t size() const { return occurring_.size(); }
    const Reminder& operator[](std::size_t i) const { return *occurring_[i]; }
    const_iterator begin() const { return const_iterator(occurring_.begin()); }
    const_iterator end() const { return const_iterator(occurring_.end()); }

private:
    std::vector<const Reminder*> occurring_;
};

struct DayInfo {
    Date date;
    LunarDate lunar;     // a leap month keeps its plain number; isLeap marks it
    std::string zodiac;  // of the lunar year
    // The almanac row; all empty unless asked for and the database has the date.
    std::string yearGanZhi;        // the almanac's name of the year, "癸巳年"
    std::string monthGanZhi;       // of the month, "甲寅月"
    std::string dayGanZhi;         // of the day, "庚申日"
    std::string auspicious;        // 宜: what the day is good for
    std::string inauspicious;      // 忌: what it is bad for
    std::string clash;             // 冲: the animal and 干支 the day clashes with
    std::string shaDirection;      // 煞: where the baleful star stands
    std::string jianChu;           // 建除: the day's officer, "成日"
    std::string clashGanZhi;       // 正冲: the 干支 it clashes with
    std::string taiShen;           // 胎神: where the foetus spirit stays
    std::string monthSolarTerms;   // the month's solar terms with their instants
    std::string solarTerm;         // non-empty only on the day of a solar term
    FestivalList festivals;        // matched copies, each with its suffix, in list order
    OccurringReminders reminders;  // in list order
};

// The parts of day information asked for beyond the date's calendar fields.
// The alert check, run every minute, asks for the reminders alone and so
// never touches the database.
struct DayParts {
    bool almanac = false;    // the almanac row
    bool festivals = false;  // the festivals falling on the date
    bool reminders = false;  // the reminders occurring on it
};
inline constexpr DayParts kNoDayParts{};
inline constexpr DayParts kAlmanacPart{true, false, false};
inline constexpr DayParts kFestivalsPart{false, true, false};
inline constexpr DayParts kRemindersPart{false, false, true};
inline constexpr DayParts kWholeDay{true, true, true};
constexpr DayParts operator|(DayParts a, DayParts b) {
    return {a.almanac || b.almanac, a.festivals || b.festivals, a.reminders || b.reminders};
}

// Where day information comes from; the alert check, the daily notice and
// the forenotice list ask through this, so tests can give them any days.
class DayInfoSource {
public:
    virtual ~DayInfoSource() = default;
    // The date must lie in 1901-2099; only the parts asked for are filled.
    virtual DayInfo GetDayInfo(const Date& date, DayParts parts) = 0;
};

// The solar terms of single dates that festival rules counted from a term
// ask for, remembered: a rebuild asks the same dates again and again (each
// of 二九 ... 九九 looks a different number of days back), and the almanac
// does not change while the program runs.
class RememberedSolarTerms : public SolarTermLookup {
public:
    explicit RememberedSolarTerms(AlmanacDatabase* almanac) : almanac_(almanac) {}
    // Asks the almanac for a date, or a year, only once while it is open.
    std::string SolarTermOn(const Date& date) override;
    std::vector<DatedSolarTerm> SolarTermsOfYear(int year) override;

private:
    AlmanacDatabase* almanac_;
    std::unordered_map<std::int64_t, std::string> terms_;  // by serial day
    std::map<int, std::vector<DatedSolarTerm>> years_;
};

// Day information over the calendar window's three sources, giving what
// GetDayInfo below gives. The memo list is read as it is at each call. The
// festival list is placed once per year it is asked about (FestivalYearIndex):
// rules added or removed show at once, a list edited or reloaded in place
// after FestivalsChanged. The almanac rows are read a stretch of dates at a
// time and kept, as the almanac does not change while the program runs. Any
// source may be missing: no database leaves the almanac empty and festivals
// counted from a solar term unmatched.
class DaySources : public DayInfoSource {
public:
    // offDays: the holiday schedule 每个工作日 and 每个休息日 memos follow.
    DaySources(const FestivalList* festivals, const ReminderList* reminders, AlmanacDatabase* almanac,
               const HolidaySchedule* offDays = nullptr);
    ~DaySources() override;
    DayInfo GetDayInfo(const Date& date, DayParts parts) override;
    void FestivalsChanged();

private:
    const AlmanacDayRow* Row(const Date& date);
    void NoteAlmanacState();

    const FestivalList* festivals_;
    const ReminderList* reminders_;
    AlmanacDatabase* almanac_;
    const HolidaySchedule* offDays_;
    bool almanacOpen_ = false;
    RememberedSolarTerms solarTerms_;
    FestivalIndexCache festivalIndex_;
    std::unordered_map<std::int64_t, AlmanacDayRow> rows_;  // by serial day
    std::unordered_set<std::int64_t> stretchesRead_;        // by serial day / kStretch
};

// solarTerms answers festival rules counted from a solar term; by default the
// almanac itself. offDays tells the working days; without it, Monday to Friday.
DayInfo GetDayInfo(const Date& date, DayParts parts, const FestivalList* festivals, const ReminderList* reminders,
                   AlmanacDatabase* almanac, SolarTermLookup* solarTerms = nullptr,
                   const HolidaySchedule* offDays = nullptr);
