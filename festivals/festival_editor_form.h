// What the festival editor's controls hold, and the two ways between that and
// a rule: opening a rule fills the lists and date pages, OK turns them back
// into a rule with its date code. Keys are the stored codes ("JR", "YL", "4",
// month numbers ...); 0 or an empty text means nothing is selected.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calendar/date.h"

#include "festivals/festival_rule.h"

// The six date pages, in the order of their resources (134-139).
enum DatePage {
    kWeekdayOfMonthPage = 0,  // [month] 的 [n-th] [weekday]
    kDaysFromGregorianDatePage = 1,
    kDaysFromSolarTermPage = 2,
    kGregorianDatePage = 3,
    kLunarDatePage = 4,
    kDaysFromLunarDatePage = 5,
    kDatePageCount = 6,
};

// Keys of the date-form list, in the list's order.
inline constexpr char kFixedDateForm[] = "4";
inline constexpr char kWeekdayOfMonthForm[] = "1";
inline constexpr char kDaysFromDateForm[] = "2";
inline constexpr char kDaysFromSolarTermForm[] = "3";

// The page to show for the selected date form and calendar (either may be
// empty: nothing selected); `current` where the choice leaves the page as it is.
DatePage DatePageFor(const std::string& dateForm, const std::string& calendar, DatePage current);

// The choices of one date page; each page uses only its own fields.
struct DatePageChoice {
    int month = 0;      // 1-12; on the lunar date page kLeapMonthCode more for a leap month
    int day = 0;        // 1-31 on the Gregorian pages, 1-30 on the lunar ones
    int n = 0;          // weekday page: 1-5 or -1 ... -5
    int weekday = 0;    // 1 Monday ... 7 Sunday
    int direction = 0;  // 1 顺数, -1 倒数
    std::string count;  // the typed or picked number of days
    std::string term;   // solar-term name

    bool operator==(const DatePageChoice& other) const;
};

struct FestivalEditorForm {
    std::string kind;      // "JR", "JNR", "SR"
    std::string calendar;  // "YL", "NL"
    std::string name;
    std::string startYear;
    std::string endYear, endMonth, endDay;
    std::string soundFile;
    // The editor could not turn every typed character into GBK (an emoji, a
    // rare character); the text above has "?" in their place.
    bool nameLostCharacters = false;
    bool soundFileLostCharacters = false;
    bool showInForenotice = false;
    bool showReminderWindow = false;
    std::string dateForm;  // one of the form keys above
    DatePageChoice pages[kDatePageCount];
};

// What the fixed date on the shown page means in the other calendar, shown
// beside the date as it changes. A lunar date gives the next time it comes
// from `from` on (the day clicked, or today): 腊月初八 from 2026-12-08 gives
// "即阳历2027年1月15日", 八月十二 from then "即阳历2027年9月12日", not this
// year's day that has passed. A Gregorian date gives its lunar date in the
// year of `from`: 12月8日 "今年即旧历十月三十". A day of a leap month gives
// where it next falls (in the leap month when that year has it, else in the
// regular month) and, on further lines, in which years it falls in the leap
// month. "" on the other pages and while no month or day is chosen.
std::string FestivalDateHint(DatePage page, const DatePageChoice& choice, const Date& from);

// The fixed date of the page left for the page shown when the calendar list
// changes between 阳历 and 旧历: the same day of `reference`'s year (the day
// the day menu was opened on, or today) in the other calendar, so that a date
// the day menu filled stays the clicked day. Nothing for other pages or
// while the date is not whole.
std::optional<DatePageChoice> CarryFixedDate(DatePage from, DatePage to, const DatePageChoice& shown,
                                             const Date& reference);

// The form a rule opens with. Values that are not keys of their lists are
// left unselected; a rule whose code does not read keeps its date form but
// leaves the page empty.
FestivalEditorForm EditorFormFromRule(const FestivalRule& rule);

enum class EditorRefusal {
    kNone,
    kNoKind,
    kNoCalendar,
    kNoName,
    kNameCharacters,       // the name holds characters the file cannot store
    kSoundFileCharacters,  // the sound file's path does
    kSoundFileOnNetwork,   // the sound file is on a network share or a device
    kBadDate,
    kTooLong,  // the rule's line would not load back in one piece
};

// Writes the form into the rule field by field in the order OK checks them and
// stops at the first refusal; `enabled` and `suffix` are never touched.
EditorRefusal ApplyEditorForm(const FestivalEditorForm& form, FestivalRule& rule);

// The warning shown for a refusal, "" for kNone.
std::string RefusalMessage(EditorRefusal refusal);

// The keys and texts of the editor's lists.
struct KeyedText {
    std::string key;
    std::string text;
};
const std::vector<KeyedText>& FestivalKindEntries();
const std::vector<KeyedText>& CalendarEntries();
const std::vector<KeyedText>& DateFormEntries();
