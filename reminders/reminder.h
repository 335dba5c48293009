// One memo ("备忘"): start, repetition, two alerts, category and text. The
// record is kept in memory exactly as it is stored in the reminder file, byte
// for byte, so its layout is fixed: 10 056 bytes, little-endian, no padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "calendar/gregorian.h"

constexpr std::size_t kReminderContentSize = 10000;
// The text must leave room for its terminator.
constexpr std::size_t kReminderMaxTextBytes = kReminderContentSize - 1;

// The codes a record stores, as 32-bit integers. A damaged file may hold a
// value outside its enumeration; readers treat such a value as matching none
// of the named ones (an unknown repetition never occurs, an unknown alert
// never sounds) and the record keeps it as it was.
enum class ReminderCalendar : std::int32_t { kLunar = 0, kGregorian = 1 };
enum class ReminderCategory : std::int32_t { kNone = 0, kWork = 1, kPersonal = 2, kFamily = 3, kImportant = 4 };
enum class ReminderRepeat : std::int32_t {
    kNone = 0,
    kDaily = 1,
    kWeekly = 2,    // Gregorian only
    kBiweekly = 3,  // Gregorian only
    kMonthly = 4,
    kYearly = 5,
    // What the editor and the manager call 每个工作日 (the days people work by
    // the holiday schedule: Monday to Friday and the make-up 班 days, never a
    // 休 day) and 每个休息日 (the other days); stored as kDaily and a mark.
    kWorkdays = 6,
    kRestDays = 7,
};
enum class ReminderAlert : std::int32_t {
    kNone = 0,
    kAtTime = 1,
    k5Minutes = 2,
    k15Minutes = 3,
    k30Minutes = 4,
    k1Hour = 5,
    k2Hours = 6,
    k1Day = 7,
    k2Days = 8,
    // Added later, hence after the first codes; a program that knows only
    // those shows no text for them and gives no alert.
    k1Minute = 9,
    k10Minutes = 10,
    k3Days = 11,
    k1Week = 12,
};

// A default record is all zero bytes. Every field sits on its natural alignment, so the compilers of all three
// targets lay the record out without any padding; the asserts below hold the
// layout to the stored form.
struct Reminder {
    // For a lunar memo, year/month/day are the lunar year, month 1-12 and day 1-30.
    SystemTime start;
    // Always a Gregorian date and time, also for lunar memos.
    SystemTime repeatEnd;
    // Stored as 0 or 1 (any other value counts as 1); read and set as a bool.
    std::int32_t repeatEndFlag = 0;
    ReminderCategory category = ReminderCategory::kNone;
    ReminderRepeat repeat = ReminderRepeat::kNone;
    ReminderAlert firstAlert = ReminderAlert::kNone;
    ReminderAlert secondAlert = ReminderAlert::kNone;
    ReminderCalendar calendar = ReminderCalendar::kLunar;
    char content[kReminderContentSize] = {};  // GBK, NUL-terminated

    // Whether the repetition stops at repeatEnd.
    bool hasRepeatEnd() const { return repeatEndFlag != 0; }
    void setHasRepeatEnd(bool ends) { repeatEndFlag = ends ? 1 : 0; }
};

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "records are stored in memory order, little-endian");
static_assert(sizeof(Reminder) == 10056, "the stored memo record is 10 056 bytes");
static_assert(offsetof(Reminder, start) == 0, "stored layout");
static_assert(offsetof(Reminder, repeatEnd) == 16, "stored layout");
static_assert(offsetof(Reminder, repeatEndFlag) == 32, "stored layout");
static_assert(offsetof(Reminder, category) == 36, "stored layout");
static_assert(offsetof(Reminder, repeat) == 40, "stored layout");
static_assert(offsetof(Reminder, firstAlert) == 44, "stored layout");
static_assert(offsetof(Reminder, secondAlert) == 48, "stored layout");
static_assert(offsetof(Reminder, calendar) == 52, "stored layout");
static_assert(offsetof(Reminder, content) == 56, "stored layout");
static_assert(sizeof(ReminderCategory) == 4 && sizeof(ReminderRepeat) == 4 && sizeof(ReminderAlert) == 4 &&
                  sizeof(ReminderCalendar) == 4,
              "codes are stored as 32-bit integers");
static_assert(std::is_trivially_copyable<Reminder>::value, "records are copied as bytes");
static_assert(std::is_standard_layout<Reminder>::value, "records are copied as bytes");

// The calendar window's list of memos, in file order.
using ReminderList = std::vector<Reminder>;

// A lunar memo in a leap month (闰二月初十) keeps the month's number in
// `start.month` and this mark in `start.dayOfWeek`, the word no lunar memo
// uses otherwise: a clock writes 0-6 there, so no record written without the
// mark can carry it, and a reader that knows nothing of it still finds the
// month's number where it always was.
constexpr std::uint16_t kLeapMonthMark = 0x100;
// Whether the memo is lunar and starts in a leap month.
bool StartsInLeapMonth(const Reminder& reminder);
// Sets or clears the mark; clearing leaves any other value of the word as it was.
void SetStartsInLeapMonth(Reminder& reminder, bool leap);

// 每个工作日 and 每个休息日 are never stored as repetition codes: the record
// keeps ReminderRepeat::kDaily and one of these marks in the weekday word of
// its start, above the 0-6 a clock writes, so that a program that knows no
// mark shows a daily memo, and its editor, which keeps that word, leaves the
// mark in place. Gregorian memos only (a lunar memo's word may hold the
// leap-month mark).
constexpr std::uint16_t kWorkdaysMark = 0x200;
constexpr std::uint16_t kRestDaysMark = 0x400;
// The repetition as the editor and the manager name it: the stored code, or
// kWorkdays / kRestDays for a marked daily memo; a value outside the
// enumeration for a stored code that is none of the repetitions.
ReminderRepeat RepetitionOf(const Reminder& reminder);
// Stores a repetition of the table below; the schedule's two as daily and a
// mark, which every other repetition clears.
void SetRepetition(Reminder& reminder, ReminderRepeat repetition);

// One entry of a code table: the code and the text shown for it.
template <class Code>
struct CodeText {
    Code code;
    const char* text;
};
// An item of the editor's number lists (months, days, years): its number and text.
using ReminderCode = CodeText<int>;

// The tables in the order the dialogs list them (alerts by their lead,
// repetitions with the schedule's two after 每天).
const std::vector<CodeText<ReminderCategory>>& ReminderCategories();
const std::vector<CodeText<ReminderRepeat>>& ReminderRepeats();
const std::vector<CodeText<ReminderAlert>>& ReminderAlerts();
const std::vector<CodeText<ReminderCalendar>>& ReminderCalendars();
// The repetitions a memo of that calendar may use: every one for Gregorian
// memos, none of the weekly ones nor the schedule's for lunar memos.
std::vector<CodeText<ReminderRepeat>> RepeatsOfferedFor(ReminderCalendar calendar);

// Texts of single codes; a code outside its table gives "".
std::string CategoryText(ReminderCategory code);
std::string RepeatText(ReminderRepeat code);
std::string AlertText(ReminderAlert code);
std::string ReminderCalendarText(ReminderCalendar code);  // "旧历" / "阳历"

// "2013年03月01日09点30分"; a lunar start as "2013年正月初一09点30分", one in a
// leap month as "2023年闰二月初十00点00分".
std::string ReminderStartText(const Reminder& reminder);
// The end of repetition in the Gregorian form, whether or not it is in force.
std::string ReminderEndText(const Reminder& reminder);
// The end of repetition as the occurrence rules take it: the minute, from the
// words the editor sets (year, month, day, hour, minute; the others may hold
// anything). None when the repetition does not end, or when its end is no
// real date: a damaged end limits nothing, so its memo is kept, not lost.
std::optional<SystemTime> RepeatEndMinute(const Reminder& reminder);

// The columns of the memo list, left to right: 备忘内容, 日历, 提醒, 第二次提醒,
// 重复, 分类, 开始时间, 结束重复时间; and the texts of one memo's row.
const std::vector<std::string>& ReminderColumnTitles();
std::vector<std::string> ReminderRowTexts(const Reminder& reminder);

// Seconds an alert comes before the occurrence; -1 for "no alert" and for
// codes outside the table.
std::int64_t AlertLeadSeconds(ReminderAlert code);
// The longest lead of the table: alerts are looked for this far ahead.
std::int64_t LongestAlertLeadSeconds();

// The memo text: the bytes up to the terminator, never past the field even
// when a damaged record has no terminator.
std::string ReminderText(const Reminder& reminder);
// The text's first line, cut after `characters` characters with "…": what
// names the memo in a menu or a question.
std::string ReminderHeadline(const Reminder& reminder, std::size_t characters);
// Stores the text, cut to 9 999 bytes without splitting a double-byte
// character, and zeroes the rest of the field. False when it had to be cut.
bool SetReminderText(Reminder& reminder, const std::string& text);
