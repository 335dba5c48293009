#include "reminders/reminder_editor_form.h"

#include <cstdio>
#include <cstring>

#include "base/gbk_scan.h"
#include "calendar/calendar_texts.h"
#include "calendar/date_readings.h"
#include "calendar/gregorian.h"
#include "calendar/lunar_calendar.h"

namespace {

// A whole decimal number of at most six digits (larger ones are out of every
// range here anyway), optionally signed.
std::optional<int> WholeNumber(const std::string& text) {
    const std::string_view t = TrimBlanksView(text, kSpacesAndTabs);
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
    if (i == t.size() || t.size() - i > 6) return std::nullopt;
    int value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return std::nullopt;
        value = value * 10 + (t[i] - '0');
    }
    return negative ? -value : value;
}

std::string TextOf(const std::vector<ReminderCode>& items, int code) {
    for (const ReminderCode& item : items) {
        if (item.code == code) return item.text;
    }
    return std::to_string(code);
}

// The texts of the numbers first ... last. The item tables point into them,
// so each list is made once and outlives them.
template <typename Name>
std::vector<std::string> TextsOf(int first, int last, Name name) {
    std::vector<std::string> all;
    for (int n = first; n <= last; ++n) all.push_back(name(n));
    return all;
}

const std::vector<std::string>& NumberTexts() {
    static const std::vector<std::string> texts =
        TextsOf(0, kLastReminderYear, [](int n) { return std::to_string(n); });
    return texts;
}

const std::vector<std::string>& LunarMonthTexts() {
    static const std::vector<std::string> texts = TextsOf(1, 12, LunarMonthName);
    return texts;
}

// 闰二 ... 闰十一: the months a year can have twice.
const std::vector<std::string>& LeapMonthTexts() {
    static const std::vector<std::string> texts =
        TextsOf(1, 12, [](int month) { return "闰" + LunarMonthName(month); });
    return texts;
}

const std::vector<std::string>& LunarDayTexts() {
    static const std::vector<std::string> texts = TextsOf(1, 30, LunarDayName);
    return texts;
}

std::string Range(const char* what, int first, int last) {
    char text[160];
    std::snprintf(text, sizeof text, "%s应在%d到%d之间。", what, first, last);
    return text;
}

struct DateTimeFields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    bool leapMonth = false;
};

// Reads and checks one date and time; `prefix` names it in the messages
// ("开始时间" or "结束重复时间"), `first` is the field of its year.
std::optional<ReminderFormProblem> ReadDateTime(const std::string (&texts)[5], bool lunar, const char* prefix,
                                                int first, DateTimeFields& out) {
    const auto field = [first](int offset) { return static_cast<ReminderFormField>(first + offset); };
    const std::string name(prefix);
    const std::optional<int> year = ComboValue(texts[0], NumberItems(kFirstReminderYear, kLastReminderYear));
    if (!year || *year < kFirstReminderYear || *year > kLastReminderYear) {
        return ReminderFormProblem{field(0), Range((name + "的年份").c_str(), kFirstReminderYear, kLastReminderYear)};
    }
    const ReminderCalendar calendar = lunar ? ReminderCalendar::kLunar : ReminderCalendar::kGregorian;
    std::optional<int> month = ComboValue(texts[1], StartMonthItems(calendar));
    const bool leapMonth = lunar && month && *month > kLeapMonthCode && *month <= kLeapMonthCode + 12;
    if (leapMonth) *month -= kLeapMonthCode;
    if (!month || *month < 1 || *month > 12) {
        return ReminderFormProblem{
            field(1), lunar ? name + "的月份应是正月到腊月中的一个。" : Range((name + "的月份").c_str(), 1, 12)};
    }
    if (leapMonth && LunarMonthDays(*year, *month, true) == 0) {
        return ReminderFormProblem{field(1), LeapMonthDayText(*year, *month, 1) + "。"};
    }
    const std::optional<int> day = ComboValue(texts[2], StartDayItems(calendar));
    if (lunar) {
        if (!day || *day < 1 || *day > 30) {
            return ReminderFormProblem{field(2), name + "的日期应是初一到三十中的一天。"};
        }
    } else if (!day || *day < 1 || *day > DaysInMonth(*year, *month)) {
        char text[200];
        if (day && *day >= 1 && *day <= 31) {
            std::snprintf(text, sizeof text, "%s的日期不存在：%d年%d月只有%d天。", prefix, *year, *month,
                          DaysInMonth(*year, *month));
        } else {
            std::snprintf(text, sizeof text, "%s的日期应在1到%d之间。", prefix, DaysInMonth(*year, *month));
        }
        return ReminderFormProblem{field(2), text};
    }
    const std::optional<int> hour = ComboValue(texts[3], NumberItems(0, 23));
    if (!hour || *hour < 0 || *hour > 23) {
        return ReminderFormProblem{field(3), Range((name + "的小时").c_str(), 0, 23)};
    }
    const std::optional<int> minute = ComboValue(texts[4], NumberItems(0, 59));
    if (!minute || *minute < 0 || *minute > 59) {
        return ReminderFormProblem{field(4), Range((name + "的分钟").c_str(), 0, 59)};
    }
    out = {*year, *month, *day, *hour, *minute, leapMonth};
    return std::nullopt;
}

void Store(const DateTimeFields& fields, SystemTime& t) {
    t.year = static_cast<std::uint16_t>(fields.year);
    t.month = static_cast<std::uint16_t>(fields.month);
    t.day = static_cast<std::uint16_t>(fields.day);
    t.hour = static_cast<std::uint16_t>(fields.hour);
    t.minute = static_cast<std::uint16_t>(fields.minute);
}

}  // namespace

std::vector<ReminderCode> NumberItems(int first, int last) {
    std::vector<ReminderCode> items;
    const std::vector<std::string>& texts = NumberTexts();
    for (int n = first; n <= last; ++n) {
        if (n >= 0 && n < static_cast<int>(texts.size())) items.push_back({n, texts[n].c_str()});
    }
    return items;
}

std::vector<ReminderCode> StartMonthItems(ReminderCalendar calendar) {
    if (calendar != ReminderCalendar::kLunar) return NumberItems(1, 12);
    std::vector<ReminderCode> items;
    for (int month = 1; month <= 12; ++month) items.push_back({month, LunarMonthTexts()[month - 1].c_str()});
    for (int month : MonthsThatCanBeLeap()) {
        items.push_back({kLeapMonthCode + month, LeapMonthTexts()[month - 1].c_str()});
    }
    return items;
}

std::vector<ReminderCode> StartDayItems(ReminderCalendar calendar) {
    if (calendar != ReminderCalendar::kLunar) return NumberItems(1, 31);
    std::vector<ReminderCode> items;
    for (int day = 1; day <= 30; ++day) items.push_back({day, LunarDayTexts()[day - 1].c_str()});
    return items;
}

ReminderRepeat OfferedRepeat(ReminderCalendar calendar, ReminderRepeat repeat) {
    for (const CodeText<ReminderRepeat>& item : RepeatsOfferedFor(calendar)) {
        if (item.code == repeat) return repeat;
    }
    return ReminderRepeat::kNone;
}

std::optional<int> ComboValue(const std::string& text, const std::vector<ReminderCode>& items) {
    for (const ReminderCode& item : items) {
        if (text == item.text) return item.code;
    }
    return WholeNumber(text);
}

std::optional<ReminderFormProblem> ApplyEditorForm(const ReminderEditorForm& form, Reminder& record) {
    if (form.content.empty()) return ReminderFormProblem{ReminderFormField::kContent, "尚未输入备忘内容。"};
    if (form.content.size() > kReminderMaxTextBytes) {
        char text[240];
        std::snprintf(text, sizeof text,
                      "备忘内容太长：最多只能保存%u个字节（约%u个汉字），现在有%u个字节。请删减后再保存。",
                      static_cast<unsigned>(kReminderMaxTextBytes), static_cast<unsigned>(kReminderMaxTextBytes / 2),
                      static_cast<unsigned>(form.content.size()));
        return ReminderFormProblem{ReminderFormField::kContent, text};
    }
    if (form.contentLostCharacters) {
        return ReminderFormProblem{ReminderFormField::kContent,
                                   "备忘内容中有无法保存的字符（例如表情符号），请删除这些字符后再保存。"};
    }

    DateTimeFields start, end;
    const std::string startTexts[5] = {form.startYear, form.startMonth, form.startDay, form.startHour,
                                       form.startMinute};
    if (auto problem = ReadDateTime(startTexts, form.calendar == ReminderCalendar::kLunar, "开始时间",
                                    static_cast<int>(ReminderFormField::kStartYear), start)) {
        return problem;
    }
    // A disabled end is not in force: it is kept as typed only when it can
    // be read, and never blocks the memo.
    const std::string endTexts[5] = {form.endYear, form.endMonth, form.endDay, form.endHour, form.endMinute};
    const std::optional<ReminderFormProblem> endProblem =
        ReadDateTime(endTexts, false, "结束重复时间", static_cast<int>(ReminderFormField::kEndYear), end);
    if (form.hasRepeatEnd && endProblem) return endProblem;

    Store(start, record.start);
    SetStartsInLeapMonth(record, start.leapMonth);
    if (!endProblem) Store(end, record.repeatEnd);
    record.setHasRepeatEnd(form.hasRepeatEnd);
    record.calendar = form.calendar;
    SetRepetition(record, form.repeat);
    record.firstAlert = form.firstAlert;
    record.secondAlert = form.secondAlert;
    record.category = form.category;
    // Only the text and its terminator change; the bytes after it stay.
    std::memcpy(record.content, form.content.data(), form.content.size());
    record.content[form.content.size()] = '\0';
    return std::nullopt;
}

ReminderEditorForm EditorFormFromReminder(const Reminder& record) {
    ReminderEditorForm form;
    form.content = ReminderText(record);
    form.calendar = record.calendar;
    form.repeat = OfferedRepeat(record.calendar, RepetitionOf(record));
    form.firstAlert = record.firstAlert;
    form.secondAlert = record.secondAlert;
    form.category = record.category;
    const SystemTime& s = record.start;
    form.startYear = std::to_string(s.year);
    form.startMonth = TextOf(StartMonthItems(record.calendar), StartMonthCode(record, record.calendar));
    form.startDay = TextOf(StartDayItems(record.calendar), s.day);
    form.startHour = std::to_string(s.hour);
    form.startMinute = std::to_string(s.minute);
    form.hasRepeatEnd = record.hasRepeatEnd();
    const SystemTime& e = record.repeatEnd;
    form.endYear = std::to_string(e.year);
    form.endMonth = std::to_string(e.month);
    form.endDay = std::to_string(e.day);
    form.endHour = std::to_string(e.hour);
    form.endMinute = std::to_string(e.minute);
    return form;
}

std::string ReminderDateHint(const ReminderEditorForm& form) {
    const ReminderCalendar calendar =
        form.calendar == ReminderCalendar::kLunar ? ReminderCalendar::kLunar : ReminderCalendar::kGregorian;
    const std::optional<int> year = ComboValue(form.startYear, {});
    const std::optional<int> month = ComboValue(form.startMonth, StartMonthItems(calendar));
    const std::optional<int> day = ComboValue(form.startDay, StartDayItems(calendar));
    if (!year || !month || !day) return "";
    if (calendar != ReminderCalendar::kLunar || *month <= kLeapMonthCode) {
        return OtherCalendarText(calendar == ReminderCalendar::kLunar, *year, *month, *day);
    }
    const int leapMonth = *month - kLeapMonthCode;
    const std::string date = LeapMonthDayText(*year, leapMonth, *day);
    if (form.repeat != ReminderRepeat::kYearly || LunarMonthDays(*year, leapMonth, true) == 0) return date;
    return date + "\n" + LeapMonthYearsText(leapMonth, *day, *year);
}

int StartMonthCode(const Reminder& record, ReminderCalendar calendar) {
    const bool leap = calendar == ReminderCalendar::kLunar && StartsInLeapMonth(record);
    return leap ? kLeapMonthCode + record.start.month : record.start.month;
}
