#include "festivals/festival_editor_form.h"

#include <climits>
#include <optional>
#include <vector>

#include "almanac/solar_term_names.h"
#include "base/sound_path.h"
#include "calendar/date_readings.h"
#include "calendar/lunar_calendar.h"
#include "festivals/festival_file.h"

namespace {

bool IsGregorian(const std::string& calendar) { return calendar == kGregorianCalendar; }

bool IsKeyOf(const std::vector<KeyedText>& entries, const std::string& key) {
    for (const KeyedText& entry : entries) {
        if (entry.key == key) return true;
    }
    return false;
}

int KeyOrNone(int value, int low, int high) { return value >= low && value <= high ? value : 0; }

int NthKeyOrNone(int n) { return (n >= 1 && n <= 5) || (n <= -1 && n >= -5) ? n : 0; }

// The direction list and the number box of the offset pages: a backward
// count is shown as 倒数 with its size.
void SetCount(DatePageChoice& page, int n) {
    const long long value = n;
    page.direction = value < 0 ? -1 : 1;
    page.count = std::to_string(value < 0 ? -value : value);
}

int SignedCount(const DatePageChoice& page) {
    const int n = LeadingInteger(page.count);
    if (page.direction != -1) return n;
    return n == INT_MIN ? INT_MAX : -n;
}

}  // namespace

bool DatePageChoice::operator==(const DatePageChoice& other) const {
    return month == other.month && day == other.day && n == other.n && weekday == other.weekday &&
           direction == other.direction && count == other.count && term == other.term;
}

const std::vector<KeyedText>& FestivalKindEntries() {
    static const std::vector<KeyedText> entries = {
        {kFestivalKind, "节日"}, {kAnniversaryKind, "纪念日"}, {kBirthdayKind, "生日"}};
    return entries;
}

const std::vector<KeyedText>& CalendarEntries() {
    static const std::vector<KeyedText> entries = {{kGregorianCalendar, "阳历"}, {kLunarCalendar, "旧历"}};
    return entries;
}

const std::vector<KeyedText>& DateFormEntries() {
    static const std::vector<KeyedText> entries = {{kFixedDateForm, "旧历或阳历日期"},
                                                   {kWeekdayOfMonthForm, "某月的第n个星期"},
                                                   {kDaysFromDateForm, "指定日期的第n天"},
                                                   {kDaysFromSolarTermForm, "节气的第n天"}};
    return entries;
}

DatePage DatePageFor(const std::string& dateForm, const std::string& calendar, DatePage current) {
    const bool chosen = !calendar.empty();
    if (dateForm == kWeekdayOfMonthForm) return kWeekdayOfMonthPage;
    if (dateForm == kDaysFromSolarTermForm) return kDaysFromSolarTermPage;
    if (!chosen) return current;
    if (dateForm == kDaysFromDateForm) {
        return IsGregorian(calendar) ? kDaysFromGregorianDatePage : kDaysFromLunarDatePage;
    }
    return IsGregorian(calendar) ? kGregorianDatePage : kLunarDatePage;
}

FestivalEditorForm EditorFormFromRule(const FestivalRule& rule) {
    FestivalEditorForm form;
    form.showReminderWindow = rule.showReminderWindow == "1";
    form.showInForenotice = rule.showInForenotice == "1";
    if (IsKeyOf(FestivalKindEntries(), rule.kind)) form.kind = rule.kind;
    if (IsKeyOf(CalendarEntries(), rule.calendar)) form.calendar = rule.calendar;
    form.name = rule.name;
    form.soundFile = rule.soundFile;
    form.startYear = rule.startYear;
    int year = 0, month = 0, day = 0;
    if (ReadYearMonthDay(rule.endDate, year, month, day)) {
        form.endYear = std::to_string(year);
        form.endMonth = std::to_string(month);
        form.endDay = std::to_string(day);
    }

    // The calendar decides between the Gregorian and the lunar page even when
    // it is not one of the two codes: anything but "YL" counts as lunar here.
    const bool gregorian = IsGregorian(rule.calendar);
    const int dayLimit = gregorian ? 31 : 30;
    const std::string& code = rule.dateRule;
    if (HasMsdMarker(code)) {
        form.dateForm = kWeekdayOfMonthForm;
        MsdRule msd;
        if (ReadMsdRule(code, msd)) {
            DatePageChoice& page = form.pages[kWeekdayOfMonthPage];
            page.month = KeyOrNone(msd.month, 1, 12);
            page.n = NthKeyOrNone(msd.n);
            page.weekday = KeyOrNone(msd.weekday, 1, 7);
        }
    } else if (HasOffsetMarker(code)) {
        form.dateForm = kDaysFromDateForm;
        OffsetRule offset;
        if (ReadOffsetRule(code, offset)) {
            DatePageChoice& page = form.pages[gregorian ? kDaysFromGregorianDatePage : kDaysFromLunarDatePage];
            page.month = KeyOrNone(offset.month, 1, 12);
            page.day = KeyOrNone(offset.day, 1, dayLimit);
            SetCount(page, offset.n);
        }
    } else if (HasSolarTermOffsetMarker(code)) {
        form.dateForm = kDaysFromSolarTermForm;
        SolarTermOffsetRule offset;
        if (ReadSolarTermOffsetRule(code, offset)) {
            DatePageChoice& page = form.pages[kDaysFromSolarTermPage];
            if (SolarTermIndex(offset.term) >= 0) page.term = offset.term;
            SetCount(page, offset.n);
        }
    } else {
        form.dateForm = kFixedDateForm;
        FixedDateRule fixed;
        // A leap month is a lunar month; a Gregorian rule marked with one
        // names no date and opens with nothing chosen.
        if (ReadFixedDateRule(code, fixed) && !(gregorian && fixed.leapMonth)) {
            DatePageChoice& page = form.pages[gregorian ? kGregorianDatePage : kLunarDatePage];
            page.month = KeyOrNone(fixed.month, 1, 12);
            if (fixed.leapMonth && page.month != 0) page.month += kLeapMonthCode;
            page.day = KeyOrNone(fixed.day, 1, dayLimit);
        }
    }
    return form;
}

EditorRefusal ApplyEditorForm(const FestivalEditorForm& form, FestivalRule& rule) {
    rule.showReminderWindow = form.showReminderWindow ? "1" : "0";
    rule.showInForenotice = form.showInForenotice ? "1" : "0";
    if (form.kind.empty()) return EditorRefusal::kNoKind;
    rule.kind = form.kind;
    if (form.calendar.empty()) return EditorRefusal::kNoCalendar;
    rule.calendar = form.calendar;
    if (form.name.empty()) return EditorRefusal::kNoName;
    if (form.nameLostCharacters) return EditorRefusal::kNameCharacters;
    rule.name = form.name;
    rule.startYear = form.startYear;
    const bool wholeEndDate = !form.endYear.empty() && !form.endMonth.empty() && !form.endDay.empty();
    rule.endDate = wholeEndDate ? form.endYear + "-" + form.endMonth + "-" + form.endDay : std::string();
    if (form.soundFileLostCharacters) return EditorRefusal::kSoundFileCharacters;
    if (IsNetworkOrDevicePath(form.soundFile)) return EditorRefusal::kSoundFileOnNetwork;
    rule.soundFile = form.soundFile;

    const bool gregorian = IsGregorian(form.calendar);
    if (form.dateForm == kWeekdayOfMonthForm) {
        const DatePageChoice& page = form.pages[kWeekdayOfMonthPage];
        if (page.month == 0 || page.n == 0 || page.weekday == 0) return EditorRefusal::kBadDate;
        rule.dateRule = MsdRuleCode(page.month, page.n, page.weekday);
    } else if (form.dateForm == kDaysFromDateForm) {
        const DatePageChoice& page = form.pages[gregorian ? kDaysFromGregorianDatePage : kDaysFromLunarDatePage];
        if (page.month < 1 || page.month > 12 || page.day == 0) return EditorRefusal::kBadDate;
        rule.dateRule = OffsetRuleCode(SignedCount(page), page.month, page.day);
    } else if (form.dateForm == kDaysFromSolarTermForm) {
        const DatePageChoice& page = form.pages[kDaysFromSolarTermPage];
        if (page.term.empty()) return EditorRefusal::kBadDate;
        rule.dateRule = SolarTermOffsetRuleCode(SignedCount(page), page.term);
    } else {
        const DatePageChoice& page = form.pages[gregorian ? kGregorianDatePage : kLunarDatePage];
        const bool leapMonth = !gregorian && page.month > kLeapMonthCode;
        const int month = leapMonth ? page.month - kLeapMonthCode : page.month;
        if (month < 1 || month > 12 || page.day == 0) return EditorRefusal::kBadDate;
        rule.dateRule = FixedDateRuleCode(month, page.day, leapMonth);
    }
    return FestivalLineFitsOneRead(rule) ? EditorRefusal::kNone : EditorRefusal::kTooLong;
}

namespace {

// What the editor tells the user for each refusal.
struct RefusalText {
    EditorRefusal refusal;
    const char* message;
};
constexpr RefusalText kRefusalMessages[] = {
    {EditorRefusal::kNoKind, "尚未选择节假日类型。"},
    {EditorRefusal::kNoCalendar, "尚未选择日期类型。"},
    {EditorRefusal::kNoName, "尚未输入节日名称。"},
    {EditorRefusal::kNameCharacters, "节日名称中有无法保存的字符（例如表情符号），请删除这些字符后再保存。"},
    {EditorRefusal::kSoundFileCharacters,
     "声音文件的路径中有无法保存的字符（例如表情符号），请选择其他位置或名称的文件。"},
    {EditorRefusal::kSoundFileOnNetwork,
     "声音文件不能位于网络共享或设备路径上（以 \\\\ 开头）。请把它复制到本机，例如程序的 Sound "
     "文件夹，再选择它。"},
    {EditorRefusal::kBadDate, "日期输入不正确或尚未输入。"},
    {EditorRefusal::kTooLong, "节日名称和声音文件路径太长，无法保存。请删减后再保存。"},
};

}  // namespace

std::string RefusalMessage(EditorRefusal refusal) {
    for (const RefusalText& known : kRefusalMessages) {
        if (known.refusal == refusal) return known.message;
    }
    return std::string();
}

namespace {

// The lunar year of `from` and the two after it: a yearly lunar date falls
// in one of them on or after `from` (in the one of `from` itself, or in the
// next when it has passed this year; a 三十 may skip a year).
constexpr int kLunarYearsSearched = 3;

// Where a yearly lunar date falls in a lunar year: in its leap month where
// the year has one and the date asks for it, else in the regular month.
std::optional<Date> YearlyLunarDate(int lunarYear, int month, int day, bool leapMonth) {
    const bool inLeapMonth = leapMonth && LunarMonthDays(lunarYear, month, true) != 0;
    return DateOfLunar(LunarDate{lunarYear, month, day, inLeapMonth ? 1 : 0});
}

}  // namespace

std::string FestivalDateHint(DatePage page, const DatePageChoice& choice, const Date& from) {
    if ((page != kGregorianDatePage && page != kLunarDatePage) || choice.month == 0 || choice.day == 0) return "";
    if (page == kGregorianDatePage) {
        // A Gregorian date says which year's lunar date is meant.
        const std::string text = OtherCalendarText(false, from.year(), choice.month, choice.day);
        return text.rfind("即", 0) == 0 ? "今年" + text : text;
    }
    const bool leapMonth = choice.month > kLeapMonthCode;
    const int month = leapMonth ? choice.month - kLeapMonthCode : choice.month;
    // The next time the date comes, from `from` on; a date that never comes
    // (三十 of a month that always has 29 days) is named in the year of `from`.
    const int fromYear = SolarToLunar(from).year;
    int year = fromYear;
    for (int candidate = fromYear; candidate < fromYear + kLunarYearsSearched && candidate <= kLastLunarYear;
         ++candidate) {
        const std::optional<Date> date = YearlyLunarDate(candidate, month, choice.day, leapMonth);
        if (date && *date >= from) {
            year = candidate;
            break;
        }
    }
    if (!leapMonth) return OtherCalendarText(true, year, month, choice.day);
    // Where the rule falls in that year, and in which years that is the leap month.
    const std::string date = LunarMonthDays(year, month, true) != 0 ? LeapMonthDayText(year, month, choice.day)
                                                                    : OtherCalendarText(true, year, month, choice.day);
    return date + "\n" + LeapMonthYearsText(month, choice.day, year);
}

std::optional<DatePageChoice> CarryFixedDate(DatePage from, DatePage to, const DatePageChoice& shown,
                                             const Date& reference) {
    if (shown.month == 0 || shown.day == 0) return std::nullopt;
    std::optional<Date> date;
    if (from == kGregorianDatePage && to == kLunarDatePage) {
        date = Date::FromCivil(reference.year(), shown.month, shown.day);
        if (!date) return std::nullopt;
        const LunarDate lunar = SolarToLunar(*date);
        DatePageChoice carried;
        carried.month = lunar.isLeap ? kLeapMonthCode + lunar.month : lunar.month;
        carried.day = lunar.day;
        return carried;
    }
    if (from == kLunarDatePage && to == kGregorianDatePage) {
        const bool leapMonth = shown.month > kLeapMonthCode;
        date = YearlyLunarDate(SolarToLunar(reference).year, leapMonth ? shown.month - kLeapMonthCode : shown.month,
                               shown.day, leapMonth);
        if (!date) return std::nullopt;
        DatePageChoice carried;
        carried.month = date->month();
        carried.day = date->day();
        return carried;
    }
    return std::nullopt;
}
