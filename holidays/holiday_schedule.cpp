#include "holidays/holiday_schedule.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// A make-up working day lies at most this many days from its holiday.
constexpr std::int64_t kMaxWorkDayDistance = 28;

}  // namespace

const char* OffDayKindMark(OffDayKind kind) { return kind == OffDayKind::kOff ? "休" : "班"; }

void HolidaySchedule::Set(const OffDay& day) { days_[day.date] = day; }

bool IsWorkingDay(const HolidaySchedule* schedule, const Date& date) {
    if (const OffDay* listed = schedule ? schedule->Find(date) : nullptr) return listed->kind == OffDayKind::kWork;
    return date.weekday() <= 5;
}

const OffDay* HolidaySchedule::Find(const Date& date) const {
    const auto found = days_.find(date);
    return found == days_.end() ? nullptr : &found->second;
}

std::vector<OffDay> HolidaySchedule::Days() const {
    std::vector<OffDay> days;
    days.reserve(days_.size());
    for (const auto& entry : days_) days.push_back(entry.second);
    return days;
}

std::vector<int> HolidaySchedule::CoveredYears() const {
    std::set<int> years;
    for (const HolidayPeriod& period : HolidayPeriods(*this)) {
        if (!period.statutory) years.insert(period.Year());
    }
    return std::vector<int>(years.begin(), years.end());
}

std::vector<HolidayPeriod> HolidayPeriods(const HolidaySchedule& schedule) {
    const std::vector<OffDay> days = schedule.Days();
    std::vector<HolidayPeriod> periods;
    for (const OffDay& day : days) {
        if (day.kind != OffDayKind::kOff) continue;
        HolidayPeriod* last = periods.empty() ? nullptr : &periods.back();
        if (last && last->name == day.name && last->last + 1 == day.date && last->statutory == day.statutory) {
            last->last = day.date;
            ++last->days;
            continue;
        }
        periods.push_back(HolidayPeriod{day.name, day.date, day.date, 1, {}, day.statutory});
    }
    for (const OffDay& day : days) {
        if (day.kind != OffDayKind::kWork) continue;
        HolidayPeriod* nearest = nullptr;
        std::int64_t nearestDistance = std::numeric_limits<std::int64_t>::max();
        for (HolidayPeriod& period : periods) {
            if (period.name != day.name) continue;
            const std::int64_t distance = day.date < period.first  ? period.first - day.date
                                          : day.date > period.last ? day.date - period.last
                                                                   : 0;
            if (distance < nearestDistance) {
                nearestDistance = distance;
                nearest = &period;
            }
        }
        if (nearest && nearestDistance <= kMaxWorkDayDistance) nearest->workDays.push_back(day.date);
    }
    return periods;  // days are in date order, so periods and their make-up days are too
}

const HolidayPeriod* PeriodOfDay(const std::vector<HolidayPeriod>& periods, const Date& date) {
    for (const HolidayPeriod& period : periods) {
        if (date >= period.first && date <= period.last) return &period;
        if (std::find(period.workDays.begin(), period.workDays.end(), date) != period.workDays.end()) return &period;
    }
    return nullptr;
}
