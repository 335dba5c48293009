// The memo editor's fields as the user left them, and the rules that turn
// them into a memo record. Editable combos hold whatever was typed, so every
// date and time field arrives as text; the lists with fixed choices arrive as
// codes. A form that names a date or time that cannot exist, or a text the
// record cannot hold, is refused with a message that says what to change.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "reminders/reminder.h"

// The years the editor offers, for the start and the end of repetition.
constexpr int kFirstReminderYear = 1900;
constexpr int kLastReminderYear = 2099;

struct ReminderEditorForm {
    std::string content;  // GBK, as typed
    // The editor could not turn every typed character into GBK (an emoji, a
    // rare character outside the code page).
    bool contentLostCharacters = false;

    ReminderCalendar calendar = ReminderCalendar::kGregorian;
    ReminderRepeat repeat = ReminderRepeat::kNone;
    ReminderAlert firstAlert = ReminderAlert::kAtTime;
    ReminderAlert secondAlert = ReminderAlert::kNone;
    ReminderCategory category = ReminderCategory::kNone;

    // Texts of the start combos: "2013", "3" or "三", "15" or "十五", "9", "30".
    std::string startYear, startMonth, startDay, startHour, startMinute;
    bool hasRepeatEnd = false;
    // Texts of the end combos, always Gregorian numbers.
    std::string endYear, endMonth, endDay, endHour, endMinute;
};

// Which control a refusal is about, so the editor can put the focus there.
enum class ReminderFormField {
    kContent,
    kStartYear,
    kStartMonth,
    kStartDay,
    kStartHour,
    kStartMinute,
    kEndYear,
    kEndMonth,
    kEndDay,
    kEndHour,
    kEndMinute,
};

struct ReminderFormProblem {
    ReminderFormField field;
    std::string message;  // GBK, for a warning box
};

// The items of the start month and day combos for a calendar: "1" ... "12"
// and "1" ... "31" for Gregorian memos, the lunar month names (正 ... 腊), then
// the leap months a year can have (闰二 ... 闰十一, coded kLeapMonthCode more
// than their number), and the day names (初一 ... 三十) for lunar ones. Codes
// are the numbers.
std::vector<ReminderCode> StartMonthItems(ReminderCalendar calendar);
std::vector<ReminderCode> StartDayItems(ReminderCalendar calendar);
// Plain decimal numbers from `first` to `last`, each its own code.
std::vector<ReminderCode> NumberItems(int first, int last);

// The repeat code the list shows for a memo of that calendar: its own when
// offered, else "无重复".
ReminderRepeat OfferedRepeat(ReminderCalendar calendar, ReminderRepeat repeat);

// The value a combo's text stands for: the code of the item with exactly that
// text, else the text read as a whole decimal number (spaces around it
// allowed). Nothing when it is neither.
std::optional<int> ComboValue(const std::string& text, const std::vector<ReminderCode>& items);

// Reads the form into `record` when every field holds something the record
// can keep: a memo text of 1 to 9 999 GBK bytes, a start that exists in its
// calendar (a leap month only in a year that has it; a lunar day 30 always
// counts as existing, since lunar months vary), a time of day within 0:00-23:59 and, when the end of repetition is
// in force, an existing Gregorian end. Only the fields the editor shows are
// written; the other bytes of the record stay as they were. On a refusal the
// record is left untouched and the problem says what is wrong.
std::optional<ReminderFormProblem> ApplyEditorForm(const ReminderEditorForm& form, Reminder& record);

// What the start date of the form means in the other calendar, shown beside
// the date fields as they change ("即阳历2027年1月15日" for 2026 腊月初八,
// "即旧历十月三十" for 2026-12-08): switching the calendar keeps the numbers,
// so the user sees at once which day they now name. A yearly memo of a leap
// month adds on a second line in which years it falls in the leap month and
// where in the others. "" while the fields do not yet name a date.
std::string ReminderDateHint(const ReminderEditorForm& form);

// The code of the start month's item in the month list of `calendar`: the
// month's number, kLeapMonthCode more for a lunar memo of a leap month shown
// in the lunar list.
int StartMonthCode(const Reminder& record, ReminderCalendar calendar);

// The form showing a record as the editor opens it.
ReminderEditorForm EditorFormFromReminder(const Reminder& record);
