#include "reminders/reminder_manager_model.h"

#include <algorithm>

void ReminderManagerModel::PutFileRowsFirst(const ReminderList& fileRows) {
    rows_.insert(rows_.begin(), fileRows.begin(), fileRows.end());
    modified_ = true;
}

int ReminderManagerModel::Add(const Reminder& reminder) {
    rows_.push_back(reminder);
    modified_ = true;
    return size() - 1;
}

void ReminderManagerModel::Replace(int index, const Reminder& reminder) {
    if (index < 0 || index >= size()) return;
    rows_[static_cast<std::size_t>(index)] = reminder;
    modified_ = true;
}

int ReminderManagerModel::Delete(int index) {
    if (index < 0 || index >= size()) return -1;
    rows_.erase(rows_.begin() + index);
    modified_ = true;
    return rows_.empty() ? -1 : std::min(index, size() - 1);
}

Reminder NewReminder(const std::optional<SystemTime>& date, bool lunar, const SystemTime& now, bool leapMonth) {
    Reminder reminder;
    reminder.start = now;
    if (date) {
        reminder.start.year = date->year;
        reminder.start.month = date->month;
        reminder.start.day = date->day;
        reminder.start.hour = 0;
        reminder.start.minute = 0;
    }
    reminder.repeatEnd = reminder.start;
    reminder.repeatEnd.year = static_cast<std::uint16_t>(reminder.start.year + 1);
    if (reminder.repeatEnd.month >= 1 && reminder.repeatEnd.month <= 12) {
        const int last = DaysInMonth(reminder.repeatEnd.year, reminder.repeatEnd.month);
        reminder.repeatEnd.day = static_cast<std::uint16_t>(std::min<int>(reminder.repeatEnd.day, last));
    }
    reminder.setHasRepeatEnd(false);
    reminder.category = ReminderCategory::kNone;
    reminder.repeat = ReminderRepeat::kNone;
    reminder.firstAlert = ReminderAlert::kAtTime;
    reminder.secondAlert = ReminderAlert::kNone;
    reminder.calendar = date && lunar ? ReminderCalendar::kLunar : ReminderCalendar::kGregorian;
    SetStartsInLeapMonth(reminder, reminder.calendar == ReminderCalendar::kLunar && leapMonth);
    return reminder;
}

std::vector<ReminderColumn> ReminderManagerColumns() {
    static const int widths[] = {280, 0, 120, 0, 0, 90, 160, 0};
    std::vector<ReminderColumn> columns;
    const std::vector<std::string>& titles = ReminderColumnTitles();
    for (std::size_t i = 0; i < titles.size(); ++i) columns.push_back({titles[i], widths[i]});
    return columns;
}
