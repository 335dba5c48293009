// One festival, anniversary or birthday as the user keeps it, and the codes
// that say on which date it falls. Every text is GBK bytes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Eleven texts in a fixed order; fields 0-9 are also the fields of a line of
// the festival file, `suffix` exists only on a matched copy.
struct FestivalRule {
    std::string calendar;  // "YL" Gregorian, "NL" lunar
    std::string kind;      // "JR" festival, "JNR" anniversary, "SR" birthday
    std::string dateRule;  // rule code, see the readers below
    std::string name;
    std::string startYear;  // decimal year or empty
    std::string endDate;    // "y-m-d" (no padding) or empty
    std::string soundFile;
    std::string enabled;             // "0" switches the rule off; anything else is on
    std::string showInForenotice;    // "1" lists it among the coming days
    std::string showReminderWindow;  // "1" announces it today and the day before
    std::string suffix;              // （33周岁）, （5周年）, （第34个）: set by matching only

    static constexpr std::size_t kFieldCount = 11;
    static constexpr std::size_t kStoredFieldCount = 10;

    // Field by its position in the order above (0-10).
    std::string& Field(std::size_t index);
    const std::string& Field(std::size_t index) const;

    bool operator==(const FestivalRule& other) const;
    bool operator!=(const FestivalRule& other) const { return !(*this == other); }
};

// The rules in the order of the festival file, which is also the order in which
// several festivals of one day are listed.
using FestivalList = std::vector<FestivalRule>;

// Stored codes.
extern const char kGregorianCalendar[];  // "YL"
extern const char kLunarCalendar[];      // "NL"
extern const char kFestivalKind[];       // "JR"
extern const char kAnniversaryKind[];    // "JNR"
extern const char kBirthdayKind[];       // "SR"

// Whether the rule counts: only an `enabled` of "0" switches it off.
inline bool IsSwitchedOn(const FestivalRule& rule) { return rule.enabled != "0"; }

// 节日 / 纪念日 / 生日 for a kind code, "" for anything else.
std::string KindText(const std::string& kind);
// 阳历 for "YL", 旧历 for every other value.
std::string CalendarText(const std::string& calendar);

// ---- Rule codes -----------------------------------------------------------
//
// Four forms. A marked form counts when its marker occurs anywhere in the text
// and the text, read from its start the way sscanf reads the pattern, yields
// every field; the fixed date counts when "%d-%d" yields two numbers. The
// readers take the text as given: matching hands them an upper-cased copy
// (UpperCaseAscii), the description and the editor the text as stored.

extern const char kMsdMarker[];              // "MSD:"
extern const char kOffsetMarker[];           // "OFFSET:"
extern const char kSolarTermOffsetMarker[];  // "OFFSETJQ:"
extern const char kLeapMonthMarker[];        // "闰", before a fixed lunar date

// The longest solar-term name a rule may carry; a longer one reads as no rule.
constexpr std::size_t kMaxSolarTermBytes = 29;

// "MSD:month:n:weekday": the n-th weekday (1 Monday ... 7 Sunday) of a
// Gregorian month, counted from its end when n < 0.
struct MsdRule {
    int month = 0;
    int n = 0;
    int weekday = 0;
};
// "OFFSET:n:month-day": n days after that date of the rule's calendar.
struct OffsetRule {
    int n = 0;
    int month = 0;
    int day = 0;
};
// "OFFSETJQ:n:term": n days after the day of a solar term.
struct SolarTermOffsetRule {
    int n = 0;
    std::string term;
};
// "month-day" of the rule's calendar; "闰month-day" a day of a lunar leap
// month, which falls in that leap month in the years that have it and in the
// regular month in the others (IsYearlyLunarDay). Written before the numbers,
// the mark keeps the code from reading as the regular month's where the mark
// is not known: such a reader finds no date in it.
struct FixedDateRule {
    int month = 0;
    int day = 0;
    bool leapMonth = false;
};

bool ReadMsdRule(const std::string& text, MsdRule& rule);
bool ReadOffsetRule(const std::string& text, OffsetRule& rule);
bool ReadSolarTermOffsetRule(const std::string& text, SolarTermOffsetRule& rule);
bool ReadFixedDateRule(const std::string& text, FixedDateRule& rule);

// Whether the marker occurs in the text as it stands (case-sensitive); the
// editor picks its date form by these even when the numbers do not read.
bool HasMsdMarker(const std::string& text);
bool HasOffsetMarker(const std::string& text);
bool HasSolarTermOffsetMarker(const std::string& text);

// The codes as the editor writes them.
std::string MsdRuleCode(int month, int n, int weekday);
std::string OffsetRuleCode(int n, int month, int day);
std::string SolarTermOffsetRuleCode(int n, const std::string& term);
std::string FixedDateRuleCode(int month, int day, bool leapMonth = false);

// ASCII letters upper-cased; a double-byte GBK character is copied whole, so a
// trail byte that happens to be a lower-case letter is left alone.
std::string UpperCaseAscii(const std::string& gbk);

// Leading decimal integer the way atoi reads it: white space and a sign
// allowed, reading stops at the first non-digit, no digits give 0. Values past
// the range of int are clamped.
int LeadingInteger(const std::string& text);

// "%d-%d-%d" from the start of the text: an end date such as 2015-6-30.
bool ReadYearMonthDay(const std::string& text, int& year, int& month, int& day);
