#include "reminders/reminder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/gbk_scan.h"
#include "calendar/calendar_texts.h"

namespace {

template <class Code>
std::string TextOf(const std::vector<CodeText<Code>>& table, Code code) {
    for (const CodeText<Code>& entry : table) {
        if (entry.code == code) return entry.text;
    }
    return std::string();
}

}  // namespace

const std::vector<CodeText<ReminderCategory>>& ReminderCategories() {
    static const std::vector<CodeText<ReminderCategory>> table = {
        {ReminderCategory::kNone, "无分类"},    {ReminderCategory::kWork, "工作"},
        {ReminderCategory::kPersonal, "个人"},  {ReminderCategory::kFamily, "家庭"},
        {ReminderCategory::kImportant, "重要"},
    };
    return table;
}

const std::vector<CodeText<ReminderRepeat>>& ReminderRepeats() {
    static const std::vector<CodeText<ReminderRepeat>> table = {
        {ReminderRepeat::kNone, "无重复"},         {ReminderRepeat::kDaily, "每天"},
        {ReminderRepeat::kWorkdays, "每个工作日"}, {ReminderRepeat::kRestDays, "每个休息日"},
        {ReminderRepeat::kWeekly, "每周"},         {ReminderRepeat::kBiweekly, "每2周"},
        {ReminderRepeat::kMonthly, "每月"},        {ReminderRepeat::kYearly, "每年"},
    };
    return table;
}

namespace {

struct AlertLead {
    ReminderAlert code;
    const char* text;
    std::int64_t seconds;
};

// By lead, as the editor lists them.
constexpr AlertLead kAlertLeads[] = {
    {ReminderAlert::kAtTime, "事件发生时", 0},      {ReminderAlert::k1Minute, "1分钟之前", 60},
    {ReminderAlert::k5Minutes, "5分钟之前", 300},   {ReminderAlert::k10Minutes, "10分钟之前", 600},
    {ReminderAlert::k15Minutes, "15分钟之前", 900}, {ReminderAlert::k30Minutes, "30分钟之前", 1800},
    {ReminderAlert::k1Hour, "1小时之前", 3600},     {ReminderAlert::k2Hours, "2小时之前", 7200},
    {ReminderAlert::k1Day, "1天之前", 86400},       {ReminderAlert::k2Days, "2天之前", 2 * 86400},
    {ReminderAlert::k3Days, "3天之前", 3 * 86400},  {ReminderAlert::k1Week, "1周之前", 7 * 86400},
};

}  // namespace

const std::vector<CodeText<ReminderAlert>>& ReminderAlerts() {
    static const std::vector<CodeText<ReminderAlert>> table = [] {
        std::vector<CodeText<ReminderAlert>> codes = {{ReminderAlert::kNone, "无提醒"}};
        for (const AlertLead& lead : kAlertLeads) codes.push_back({lead.code, lead.text});
        return codes;
    }();
    return table;
}

const std::vector<CodeText<ReminderCalendar>>& ReminderCalendars() {
    static const std::vector<CodeText<ReminderCalendar>> table = {
        {ReminderCalendar::kLunar, "旧历"},
        {ReminderCalendar::kGregorian, "阳历"},
    };
    return table;
}

std::vector<CodeText<ReminderRepeat>> RepeatsOfferedFor(ReminderCalendar calendar) {
    std::vector<CodeText<ReminderRepeat>> offered;
    for (const CodeText<ReminderRepeat>& entry : ReminderRepeats()) {
        const bool gregorianOnly = entry.code == ReminderRepeat::kWeekly || entry.code == ReminderRepeat::kBiweekly ||
                                   entry.code == ReminderRepeat::kWorkdays || entry.code == ReminderRepeat::kRestDays;
        if (calendar == ReminderCalendar::kGregorian || !gregorianOnly) offered.push_back(entry);
    }
    return offered;
}

std::string CategoryText(ReminderCategory code) { return TextOf(ReminderCategories(), code); }
std::string RepeatText(ReminderRepeat code) { return TextOf(ReminderRepeats(), code); }
std::string AlertText(ReminderAlert code) { return TextOf(ReminderAlerts(), code); }
std::string ReminderCalendarText(ReminderCalendar code) { return TextOf(ReminderCalendars(), code); }

ReminderRepeat RepetitionOf(const Reminder& reminder) {
    if (reminder.repeat == ReminderRepeat::kDaily && reminder.calendar == ReminderCalendar::kGregorian) {
        const std::uint16_t mark = reminder.start.dayOfWeek & 0xFF00;
        if (mark == kWorkdaysMark) return ReminderRepeat::kWorkdays;
        if (mark == kRestDaysMark) return ReminderRepeat::kRestDays;
    }
    // The schedule's codes stored as such are no repetition.
    if (reminder.repeat == ReminderRepeat::kWorkdays || reminder.repeat == ReminderRepeat::kRestDays) {
        return static_cast<ReminderRepeat>(-1);
    }
    return reminder.repeat;
}

void SetRepetition(Reminder& reminder, ReminderRepeat repetition) {
    std::uint16_t& word = reminder.start.dayOfWeek;
    const std::uint16_t mark = word & 0xFF00;
    // Only the schedule's marks: the leap month's belongs to lunar memos.
    if (mark == kWorkdaysMark || mark == kRestDaysMark) word &= 0x00FF;
    if (repetition == ReminderRepeat::kWorkdays || repetition == ReminderRepeat::kRestDays) {
        // A lunar memo has no mark to carry: it is daily.
        reminder.repeat = ReminderRepeat::kDaily;
        if (reminder.calendar != ReminderCalendar::kGregorian) return;
        word = static_cast<std::uint16_t>((word & 0x00FF) |
                                          (repetition == ReminderRepeat::kWorkdays ? kWorkdaysMark : kRestDaysMark));
        return;
    }
    reminder.repeat = repetition;
}

bool StartsInLeapMonth(const Reminder& reminder) {
    return reminder.calendar == ReminderCalendar::kLunar && reminder.start.dayOfWeek == kLeapMonthMark;
}

void SetStartsInLeapMonth(Reminder& reminder, bool leap) {
    if (leap) {
        reminder.start.dayOfWeek = kLeapMonthMark;
    } else if (reminder.start.dayOfWeek == kLeapMonthMark) {
        reminder.start.dayOfWeek = 0;
    }
}

std::string ReminderStartText(const Reminder& reminder) {
    const SystemTime& t = reminder.start;
    char text[96];
    if (reminder.calendar == ReminderCalendar::kLunar) {
        std::snprintf(text, sizeof text, "%04u年%s%s月%s%02u点%02u分", t.year, StartsInLeapMonth(reminder) ? "闰" : "",
                      LunarMonthName(t.month).c_str(), LunarDayName(t.day).c_str(), t.hour, t.minute);
    } else {
        std::snprintf(text, sizeof text, "%04u年%02u月%02u日%02u点%02u分", t.year, t.month, t.day, t.hour, t.minute);
    }
    return text;
}

std::string ReminderEndText(const Reminder& reminder) {
    const SystemTime& t = reminder.repeatEnd;
    char text[96];
    std::snprintf(text, sizeof text, "%04u年%02u月%02u日%02u点%02u分", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

std::optional<SystemTime> RepeatEndMinute(const Reminder& reminder) {
    if (!reminder.hasRepeatEnd()) return std::nullopt;
    const SystemTime& t = reminder.repeatEnd;
    const SystemTime end = SystemTimeAt(t.year, t.month, t.day, t.hour, t.minute);
    if (!IsValidSystemTime(end)) return std::nullopt;
    return end;
}

const std::vector<std::string>& ReminderColumnTitles() {
    static const std::vector<std::string> titles = {"备忘内容", "日历", "提醒",     "第二次提醒",
                                                    "重复",     "分类", "开始时间", "结束重复时间"};
    return titles;
}

std::vector<std::string> ReminderRowTexts(const Reminder& reminder) {
    return {ReminderText(reminder),
            ReminderCalendarText(reminder.calendar),
            AlertText(reminder.firstAlert),
            AlertText(reminder.secondAlert),
            RepeatText(RepetitionOf(reminder)),
            CategoryText(reminder.category),
            ReminderStartText(reminder),
            ReminderEndText(reminder)};
}

std::int64_t AlertLeadSeconds(ReminderAlert code) {
    for (const AlertLead& lead : kAlertLeads) {
        if (lead.code == code) return lead.seconds;
    }
    return -1;
}

std::int64_t LongestAlertLeadSeconds() {
    std::int64_t longest = 0;
    for (const AlertLead& lead : kAlertLeads) longest = std::max(longest, lead.seconds);
    return longest;
}

std::string ReminderText(const Reminder& reminder) {
    const void* end = std::memchr(reminder.content, '\0', sizeof reminder.content);
    const std::size_t length =
        end ? static_cast<std::size_t>(static_cast<const char*>(end) - reminder.content) : sizeof reminder.content;
    return std::string(reminder.content, length);
}

std::string ReminderHeadline(const Reminder& reminder, std::size_t characters) {
    const std::string text = ReminderText(reminder);
    std::string line;
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size() && text[i] != '\r' && text[i] != '\n';) {
        if (count == characters) return line + "…";
        const std::size_t width = GbkCharLength(text, i);
        line.append(text, i, width);
        ++count;
        i += width;
    }
    return line;
}

bool SetReminderText(Reminder& reminder, const std::string& text) {
    // A NUL would end the stored text early, so the text ends there.
    const std::size_t size = std::min(text.size(), text.find('\0'));
    // Walk whole characters so that a cut never leaves half of one behind.
    std::size_t length = 0;
    while (length < size) {
        const std::size_t width = GbkCharLength(std::string_view(text.data(), size), length);
        if (length + width > kReminderMaxTextBytes) break;
        length += width;
    }
    std::memset(reminder.content, 0, sizeof reminder.content);
    std::memcpy(reminder.content, text.data(), length);
    return length == text.size();
}
