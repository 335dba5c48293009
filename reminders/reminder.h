// One memo ("备忘"): start, repetition, two alerts, category and text. The
// record is kept in memory exactly as it is stored in the reminder file, byte
// for byte, so its layout is fixed: 10 056 bytes, little-endian, no padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "calendar/gregorian.h"

constexpr std::size_t kReminderContentSize = 10000;
// The text must leave room for its terminator.
constexpr std::size_t kReminderMaxTextBytes = kReminderContentSize - 1;

// A default record is all zero bytes. Every field sits on its natural alignment, so the compilers of all three
// targets lay the record out without any padding; the asserts below hold the
// layout to the stored form.
struct Reminder {
    // For a lunar memo, year/month/day are the lunar year, month 1-12 and day 1-30.
    SystemTime start;
    // Always a Gregorian date and time, also for lunar memos.
    SystemTime repeatEnd;
    std::int32_t hasRepeatEnd = 0;
    std::int32_t category = 0;                // kCategory...
    std::int32_t repeat = 0;                  // kRepeat...
    std::int32_t firstAlert = 0;              // kAlert...
    std::int32_t secondAlert = 0;             // kAlert...
    std::int32_t calendar = 0;                // kReminderLunar or kReminderGregorian
    char content[kReminderContentSize] = {};  // GBK, NUL-terminated
};

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "records are stored in memory order, little-endian");
static_assert(sizeof(Reminder) == 10056, "the stored memo record is 10 056 bytes");
static_assert(offsetof(Reminder, start) == 0, "stored layout");
static_assert(offsetof(Reminder, repeatEnd) == 16, "stored layout");
static_assert(offsetof(Reminder, hasRepeatEnd) == 32, "stored layout");
static_assert(offsetof(Reminder, category) == 36, "stored layout");
static_assert(offsetof(Reminder, repeat) == 40, "stored layout");
static_assert(offsetof(Reminder, firstAlert) == 44, "stored layout");
static_assert(offsetof(Reminder, secondAlert) == 48, "stored layout");
static_assert(offsetof(Reminder, calendar) == 52, "stored layout");
static_assert(offsetof(Reminder, content) == 56, "stored layout");
static_assert(std::is_trivially_copyable<Reminder>::value, "records are copied as bytes");
static_assert(std::is_standard_layout<Reminder>::value, "records are copied as bytes");

// The calendar window's list of memos, in file order.
using ReminderList = std::vector<Reminder>;

// calendar
constexpr std::int32_t kReminderLunar = 0;
constexpr std::int32_t kReminderGregorian = 1;

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

// category
constexpr std::int32_t kCategoryNone = 0;
constexpr std::int32_t kCategoryWork = 1;
constexpr std::int32_t kCategoryPersonal = 2;
constexpr std::int32_t kCategoryFamily = 3;
constexpr std::int32_t kCategoryImportant = 4;

// repeat
constexpr std::int32_t kRepeatNone = 0;
constexpr std::int32_t kRepeatDaily = 1;
constexpr std::int32_t kRepeatWeekly = 2;    // Gregorian only
constexpr std::int32_t kRepeatBiweekly = 3;  // Gregorian only
constexpr std::int32_t kRepeatMonthly = 4;
constexpr std::int32_t kRepeatYearly = 5;

// firstAlert / secondAlert
constexpr std::int32_t kAlertNone = 0;
constexpr std::int32_t kAlertAtTime = 1;
constexpr std::int32_t kAlert5Minutes = 2;
constexpr std::int32_t kAlert15Minutes = 3;
constexpr std::int32_t kAlert30Minutes = 4;
constexpr std::int32_t kAlert1Hour = 5;
constexpr std::int32_t kAlert2Hours = 6;
constexpr std::int32_t kAlert1Day = 7;
constexpr std::int32_t kAlert2Days = 8;

// One entry of a code table: the stored code and the text shown for it.
struct ReminderCode {
    std::int32_t code;
    const char* text;
};

// The tables in the order the dialogs list them.
const std::vector<ReminderCode>& ReminderCategories();
const std::vector<ReminderCode>& ReminderRepeats();
const std::vector<ReminderCode>& ReminderAlerts();
const std::vector<ReminderCode>& ReminderCalendars();
// The repeat codes a memo of that calendar may use: every code for Gregorian
// memos, none of the weekly ones for lunar memos.
std::vector<ReminderCode> RepeatsOfferedFor(std::int32_t calendar);

// Texts of single codes; a code outside its table gives "".
std::string CategoryText(std::int32_t code);
std::string RepeatText(std::int32_t code);
std::string AlertText(std::int32_t code);
std::string ReminderCalendarText(std::int32_t code);  // "旧历" / "阳历"

// "2013年03月01日09点30分"; a lunar start as "2013年正月初一09点30分", one in a
// leap month as "2023年闰二月初十00点00分".
std::string ReminderStartText(const Reminder& reminder);
// The end of repetition in the Gregorian form, whether or not it is in force.
std::string ReminderEndText(const Reminder& reminder);

// The columns of the memo list, left to right: 备忘内容, 日历, 提醒, 第二次提醒,
// 重复, 分类, 开始时间, 结束重复时间; and the texts of one memo's row.
const std::vector<std::string>& ReminderColumnTitles();
std::vector<std::string> ReminderRowTexts(const Reminder& reminder);

// Seconds an alert comes before the occurrence; -1 for "no alert" and for
// codes outside the table.
std::int64_t AlertLeadSeconds(std::int32_t code);

// The memo text: the bytes up to the terminator, never past the field even
// when a damaged record has no terminator.
std::string ReminderText(const Reminder& reminder);
// Stores the text, cut to 9 999 bytes without splitting a double-byte
// character, and zeroes the rest of the field. False when it had to be cut.
bool SetReminderText(Reminder& reminder, const std::string& text);
