#include "tools/cli/plan_commands.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "calendar/calendar_texts.h"
#include "calendar/lunar_calendar.h"
#include "planning/date_lookup.h"
#include "planning/good_days.h"
#include "planning/leave_plan.h"
#include "tools/cli/console_output.h"

const char kPlanCommandsUsage[] =
    "       solvane-cli good-days ACTIVITY [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--not-clash ZODIAC]\n"
    "                             [--days-off-only] [--huangdao-only]\n"
    "       solvane-cli leave-plan YYYY [--max-leave N]\n"
    "       solvane-cli lunar YYYY MM DD [--leap] | lunar MM DD [--years N]\n";

namespace {

constexpr int kNothingToSay = 1;
constexpr int kBadArguments = 2;

int Refuse(const std::string& gbk) {
    WriteGbkError("solvane-cli: " + gbk + "\n");
    return kBadArguments;
}

int UsageOf(const char* command) {
    std::fprintf(stderr, "usage:\n%s", kPlanCommandsUsage);
    std::fprintf(stderr, "solvane-cli: %s: see the usage above\n", command);
    return kBadArguments;
}

// A whole decimal number, nothing before or after it.
std::optional<int> Number(const char* text) {
    int value = 0;
    char end = 0;
    if (std::sscanf(text, "%d%c", &value, &end) != 1) return std::nullopt;
    return value;
}

std::optional<Date> DateIn(const char* text, std::string& error) {
    const std::optional<Date> date = ParseDate(text, &error);
    if (date && (date->year() < kFirstLunarYear || date->year() > kLastLunarYear)) {
        error = std::string(text) + ": the calendar covers 1901-01-01 to 2099-12-31";
        return std::nullopt;
    }
    return date;
}

std::string WithLeap(const LunarDate& lunar) { return ChineseDigits(lunar.year) + "年" + LunarMonthDayText(lunar); }

}  // namespace

int GoodDaysCommand(DayInfoSource& days, const OffDaySchedule& schedule, const Date& today, int argc, char** argv) {
    if (argc < 3) return UsageOf("good-days");
    GoodDayQuery query;
    query.activity = FindGoodDayActivity(GbkArgument(argv[2]));
    if (!query.activity) {
        return Refuse("unknown activity " + GbkArgument(argv[2]) + "; the activities: " + GoodDayActivityNames());
    }
    query.first = today;
    std::optional<Date> last;
    for (int i = 3; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        std::string error;
        if (std::strcmp(argv[i], "--from") == 0 && hasValue) {
            const std::optional<Date> from = DateIn(argv[++i], error);
            if (!from) return Refuse(error);
            query.first = *from;
        } else if (std::strcmp(argv[i], "--to") == 0 && hasValue) {
            last = DateIn(argv[++i], error);
            if (!last) return Refuse(error);
        } else if (std::strcmp(argv[i], "--not-clash") == 0 && hasValue) {
            const std::string name = GbkArgument(argv[++i]);
            query.notClashing = ZodiacIndex(name);
            if (!query.notClashing) {
                std::string names;
                for (const std::string& zodiac : ZodiacNames()) names += (names.empty() ? "" : " ") + zodiac;
                return Refuse("--not-clash " + name + ": not one of " + names);
            }
        } else if (std::strcmp(argv[i], "--days-off-only") == 0) {
            query.daysOffOnly = true;
        } else if (std::strcmp(argv[i], "--huangdao-only") == 0) {
            query.yellowPathOnly = true;
        } else {
            return UsageOf("good-days");
        }
    }
    query.last = last ? *last : DefaultGoodDayEnd(query.first);
    const std::string problem = GoodDayRangeProblem(query.first, query.last);
    if (!problem.empty()) return Refuse(query.first.ToString() + " - " + query.last.ToString() + ": " + problem);

    const GoodDaySearch search = FindGoodDays(query, days, &schedule);
    const long long rangeDays = query.last - query.first + 1;
    if (search.daysWithoutAlmanac == rangeDays) {
        std::fprintf(stderr, "solvane-cli: no almanac database could be read\n");
        return kNothingToSay;
    }
    if (search.daysWithoutAlmanac > 0) {
        std::fprintf(stderr, "solvane-cli: %d day(s) of the range have no almanac row\n", search.daysWithoutAlmanac);
    }
    char count[32];
    std::snprintf(count, sizeof count, "：共%zu天\n", search.days.size());
    std::string text = query.activity->name + "吉日 " + query.first.ToString() + " 至 " + query.last.ToString() + count;
    for (const GoodDay& day : search.days) text += GoodDayLine(day) + "\n";
    WriteGbk(text);
    return 0;
}

int LeavePlanCommand(const OffDaySchedule& schedule, int argc, char** argv) {
    if (argc < 3) return UsageOf("leave-plan");
    const std::optional<int> year = Number(argv[2]);
    if (!year || *year < kFirstLunarYear || *year > kLastLunarYear) {
        return Refuse(std::string(argv[2]) + ": a year from 1901 to 2099");
    }
    int maxLeave = kMaxLeaveDays;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--max-leave") == 0 && i + 1 < argc) {
            const std::optional<int> n = Number(argv[++i]);
            if (!n || *n < 1 || *n > kMaxLeaveDays) return Refuse(std::string(argv[i]) + ": from 1 to 5 days of leave");
            maxLeave = *n;
        } else {
            return UsageOf("leave-plan");
        }
    }
    const LeavePlanYear plans = PlanLeave(schedule, *year, maxLeave);
    if (!plans.published) {
        WriteGbk(LeavePlanYearText(plans));
        return kNothingToSay;
    }
    char heading[96];
    std::snprintf(heading, sizeof heading, "%d年拼假（每个假期请1至%d天，按每请1天所得休息天数排列）\n", *year,
                  maxLeave);
    WriteGbk(heading + LeavePlanYearText(plans));
    return 0;
}

int LunarCommand(const Date& today, int argc, char** argv) {
    std::vector<const char*> numbers;
    bool leap = false;
    std::optional<int> years;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--leap") == 0) {
            leap = true;
        } else if (std::strcmp(argv[i], "--years") == 0 && i + 1 < argc) {
            years = Number(argv[++i]);
            if (!years || *years < 1 || *years > kLastLunarYear - kFirstLunarYear + 1) {
                return Refuse(std::string(argv[i]) + ": from 1 to 199 years");
            }
        } else {
            numbers.push_back(argv[i]);
        }
    }
    if (numbers.size() != 2 && numbers.size() != 3) return UsageOf("lunar");
    std::vector<int> values;
    for (const char* text : numbers) {
        const std::optional<int> value = Number(text);
        if (!value) return UsageOf("lunar");
        values.push_back(*value);
    }
    const bool withYear = values.size() == 3;
    const int month = values[withYear ? 1 : 0], day = values[withYear ? 2 : 1];
    if (month < 1 || month > 12) return Refuse("lunar month " + std::to_string(month) + ": there is no such month");
    if (day < 1 || day > 30) return Refuse("lunar day " + std::to_string(day) + ": a lunar month has 29 or 30 days");

    if (!withYear) {
        if (leap) return Refuse("--leap needs a year: only a year has a leap month");
        std::string text;
        for (const LunarYearDate& found : NextLunarDates(month, day, today, years.value_or(10))) {
            char year[16];
            std::snprintf(year, sizeof year, "%d年", found.lunarYear);
            text += "农历" + std::string(year) + LunarMonthName(month) + "月" + LunarDayName(day) + "  ";
            text += found.date ? found.date->ToString() + "  星期" + WeekdayName(found.date->weekday()) + "  " +
                                     DaysAwayText(today, *found.date)
                               : "该年" + LunarMonthName(month) + "月没有" + LunarDayName(day);
            text += "\n";
        }
        WriteGbk(text);
        return 0;
    }
    if (years) return UsageOf("lunar");
    const int year = values[0];
    if (year < kFirstLunarYear || year > kLastLunarYear) {
        return Refuse("lunar year " + std::to_string(year) + ": the calendar covers 1901 to 2099");
    }
    const int length = LunarMonthDays(year, month, leap);
    if (length == 0) {
        const int leapMonth = GetLunarYearInfo(year).leapMonth;
        return Refuse("lunar " + std::to_string(year) + " has no leap month " + std::to_string(month) +
                      (leapMonth ? " (its leap month is " + std::to_string(leapMonth) + ")" : " (it has none)"));
    }
    const LunarDate lunar{year, month, day, leap ? 1 : 0};
    const std::optional<Date> date = DateOfLunar(lunar);
    if (!date && day > length) {
        return Refuse("lunar " + std::to_string(year) + (leap ? " leap month " : " month ") + std::to_string(month) +
                      " has " + std::to_string(length) + " days");
    }
    if (!date) return Refuse("that day falls after 2099-12-31, where the calendar ends");
    WriteGbk(date->ToString() + "  星期" + WeekdayName(date->weekday()) + "  农历" + WithLeap(lunar) + "  " +
             DaysAwayText(today, *date) + "\n");
    return 0;
}
