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
        {ReminderRepeat::kNone, "无重复"},    {ReminderRepeat::kDaily, "每天"},   {ReminderRepeat::kWeekly, "每周"},
        {ReminderRepeat::kBiweekly, "每2周"}, {ReminderRepeat::kMonthly, "每月"}, {ReminderRepeat::kYearly, "每年"},
    };
    return table;
}

const std::vector<CodeText<ReminderAlert>>& ReminderAlerts() {
    static const std::vector<CodeText<ReminderAlert>> table = {
        {ReminderAlert::kNone, "无提醒"},          {ReminderAlert::kAtTime, "事件发生时"},
        {ReminderAlert::k5Minutes, "5分钟之前"},   {ReminderAlert::k15Minutes, "15分钟之前"},
        {ReminderAlert::k30Minutes, "30分钟之前"}, {ReminderAlert::k1Hour, "1小时之前"},
        {ReminderAlert::k2Hours, "2小时之前"},     {ReminderAlert::k1Day, "1天之前"},
        {ReminderAlert::k2Days, "2天之前"},
    };
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
        const bool weekly = entry.code == ReminderRepeat::kWeekly || entry.code == ReminderRepeat::kBiweekly;
        if (calendar == ReminderCalendar::kGregorian || !weekly) offered.push_back(entry);
    }
    return offered;
}

std::string CategoryText(ReminderCategory code) { return TextOf(ReminderCategories(), code); }
std::string RepeatText(ReminderRepeat code) { return TextOf(ReminderRepeats(), code); }
std::string AlertText(ReminderAlert code) { return TextOf(ReminderAlerts(), code); }
std::string ReminderCalendarText(ReminderCalendar code) { return TextOf(ReminderCalendars(), code); }

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
    return {ReminderText(reminder),         ReminderCalendarText(reminder.calendar),
            AlertText(reminder.firstAlert), AlertText(reminder.secondAlert),
            RepeatText(reminder.repeat),    CategoryText(reminder.category),
            ReminderStartText(reminder),    ReminderEndText(reminder)};
}

std::int64_t AlertLeadSeconds(ReminderAlert code) {
    static constexpr struct {
        ReminderAlert code;
        std::int64_t seconds;
    } kLeads[] = {
        {ReminderAlert::kAtTime, 0},          {ReminderAlert::k5Minutes, 5 * 60}, {ReminderAlert::k15Minutes, 15 * 60},
        {ReminderAlert::k30Minutes, 30 * 60}, {ReminderAlert::k1Hour, 3600},      {ReminderAlert::k2Hours, 2 * 3600},
        {ReminderAlert::k1Day, 24 * 3600},    {ReminderAlert::k2Days, 48 * 3600},
    };
    for (const auto& lead : kLeads) {
        if (lead.code == code) return lead.seconds;
    }
    return -1;
}

std::string ReminderText(const Reminder& reminder) {
    const void* end = std::memchr(reminder.content, '\0', sizeof reminder.content);
    const std::size_t length =
        end ? static_cast<std::size_t>(static_cast<const char*>(end) - reminder.content) : sizeof reminder.content;
    return std::string(reminder.content, length);
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
