#include "holidays/holiday_announcements.h"

#include <algorithm>

#include "holidays/holiday_schedule_texts.h"

std::vector<HolidayAnnouncement> NextHolidayAnnouncements(const HolidaySchedule& schedule, const Date& today) {
    const std::vector<HolidayPeriod> periods = HolidayPeriods(schedule);
    const auto next = std::find_if(periods.begin(), periods.end(),
                                   [&today](const HolidayPeriod& period) { return period.last >= today; });
    if (next == periods.end()) return {};
    const int offset = static_cast<int>(next->first - today);
    std::vector<HolidayAnnouncement> lines{{offset, HolidayPeriodText(*next)}};
    // Make-up days already worked are no news.
    HolidayPeriod coming = *next;
    coming.workDays.erase(std::remove_if(coming.workDays.begin(), coming.workDays.end(),
                                         [&today](const Date& work) { return work < today; }),
                          coming.workDays.end());
    const std::string workDays = HolidayWorkDaysText(coming);
    if (!workDays.empty()) lines.push_back({offset, workDays});
    // A later holiday's make-up days that come before the next one begins
    // (国庆节's Sunday 9月20日 before 中秋节) are told on their own, on the
    // first of them: nobody reads the later holiday's line in time.
    for (auto later = next + 1; later != periods.end(); ++later) {
        std::vector<Date> early;
        for (const Date& work : later->workDays) {
            if (work >= today && work < next->first) early.push_back(work);
        }
        if (!early.empty()) lines.push_back({static_cast<int>(early.front() - today), MakeUpDaysText(*later, early)});
    }
    return lines;
}
