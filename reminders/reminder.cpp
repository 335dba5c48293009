#include "reminders/reminder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/gbk_scan.h"
#include "calendar/calendar_texts.h"

namespace {

std::string TextOf(const std::vector<ReminderCode>& table, std::int32_t code) {
    for (const ReminderCode& entry : table) {
        if (entry.code == code) return entry.text;
    }
    return std::string();
}

}  // namespace

const std::vector<ReminderCode>& ReminderCategories() {
    static const std::vector<ReminderCode> table = {
        {kCategoryNone, "无分类"}, {kCategoryWork, "工作"},      {kCategoryPersonal, "个人"},
        {kCategoryFamily, "家庭"}, {kCategoryImportant, "重要"},
    };
    return table;
}

const std::vector<ReminderCode>& ReminderRepeats() {
    static const std::vector<ReminderCode> table = {
        {kRepeatNone, "无重复"},    {kRepeatDaily, "每天"},   {kRepeatWeekly, "每周"},
        {kRepeatBiweekly, "每2周"}, {kRepeatMonthly, "每月"}, {kRepeatYearly, "每年"},
    };
    return table;
}

const std::vector<ReminderCode>& ReminderAlerts() {
    static const std::vector<ReminderCode> table = {
        {kAlertNone, "无提醒"},          {kAlertAtTime, "事件发生时"},    {kAlert5Minutes, "5分钟之前"},
        {kAlert15Minutes, "15分钟之前"}, {kAlert30Minutes, "30分钟之前"}, {kAlert1Hour, "1小时之前"},
        {kAlert2Hours, "2小时之前"},     {kAlert1Day, "1天之前"},         {kAlert2Days, "2天之前"},
    };
    return table;
}

const std::vector<ReminderCode>& ReminderCalendars() {
    static const std::vector<ReminderCode> table = {
        {kReminderLunar, "旧历"},
        {kReminderGregorian, "阳历"},
    };
    return table;
}

std::vector<ReminderCode> RepeatsOfferedFor(std::int32_t calendar) {
    std::vector<ReminderCode> offered;
    for (const ReminderCode& entry : ReminderRepeats()) {
        const bool weekly = entry.code == kRepeatWeekly || entry.code == kRepeatBiweekly;
        if (calendar == kReminderGregorian || !weekly) offered.push_back(entry);
    }
    return offered;
}

std::string CategoryText(std::int32_t code) { return TextOf(ReminderCategories(), code); }
std::string RepeatText(std::int32_t code) { return TextOf(ReminderRepeats(), code); }
std::string AlertText(std::int32_t code) { return TextOf(ReminderAlerts(), code); }
std::string ReminderCalendarText(std::int32_t code) { return TextOf(ReminderCalendars(), code); }

bool StartsInLeapMonth(const Reminder& reminder) {
    return reminder.calendar == kReminderLunar && reminder.start.dayOfWeek == kLeapMonthMark;
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
    if (reminder.calendar == kReminderLunar) {
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

std::int64_t AlertLeadSeconds(std::int32_t code) {
    switch (code) {
        case kAlertAtTime:
            return 0;
        case kAlert5Minutes:
            return 300;
        case kAlert15Minutes:
            return 900;
        case kAlert30Minutes:
            return 1800;
        case kAlert1Hour:
            return 3600;
        case kAlert2Hours:
            return 7200;
        case kAlert1Day:
            return 86400;
        case kAlert2Days:
            return 172800;
        default:
            return -1;
    }
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
