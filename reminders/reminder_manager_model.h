// The memo manager's working copy of the memo file: its rows in the order
// they are saved, whether anything changed since it opened, and which row is
// selected after a deletion. The dialog shows this model; the file is written
// only when the user saves.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/list_file_messages.h"
#include "calendar/gregorian.h"
#include "reminders/reminder.h"

// How the manager's messages speak of the memo file: its entries are memos,
// and what a load can skip is a record.
inline constexpr ListFileWords kReminderFileWords{"备忘", "记录", kReminderFileLimit};

class ReminderManagerModel {
public:
    ReminderManagerModel() = default;
    explicit ReminderManagerModel(ReminderList rows) : rows_(std::move(rows)) {}

    const ReminderList& rows() const { return rows_; }
    int size() const { return static_cast<int>(rows_.size()); }
    const Reminder& row(int index) const { return rows_[static_cast<std::size_t>(index)]; }
    // Set by every confirmed add, edit and delete; closing then asks to save.
    bool modified() const { return modified_; }

    // Appends the memo as the last row and returns its index.
    int Add(const Reminder& reminder);
    void Replace(int index, const Reminder& reminder);
    // Removes the row and returns the row to select next: the one that took
    // its place, else the new last row, else -1 for an empty list.
    int Delete(int index);

    // The file's memos, read again after they could not be read when the
    // manager opened, go before every row (all of them the user's new ones).
    void PutFileRowsFirst(const ReminderList& fileRows);

    // After a successful save the list matches the file again.
    void MarkSaved() { modified_ = false; }

private:
    ReminderList rows_;
    bool modified_ = false;
};

// A new memo as the add command prepares it: on the given date at 00:00 (a
// lunar date makes a lunar memo) or, without one, at the moment `now`, as a
// Gregorian memo; alerted when it happens, not repeated, uncategorised, with
// an end of repetition a year after the start that is not in force. The end
// is always a real Gregorian date: a start on 29 February or on a lunar 30th
// that has no counterpart a year later ends on the last day of that month.
// `leapMonth`: the lunar date lies in its year's leap month.
Reminder NewReminder(const std::optional<SystemTime>& date, bool lunar, const SystemTime& now, bool leapMonth = false);

// The manager's columns, left to right, with their widths in pixels; a width
// of 0 hides the column.
struct ReminderColumn {
    std::string title;  // GBK
    int width;
};
std::vector<ReminderColumn> ReminderManagerColumns();
