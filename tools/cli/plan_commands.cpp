#include "tools/cli/plan_commands.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "base/whole_number.h"
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

// A whole decimal number in [least, most]; otherwise nothing, and the reason
// printed: "<what>: not a number", or "<what>: <range>" for one outside the
// range, however large.
std::optional<int> NumberArgument(const std::string& what, const char* text, int least, int most,
                                  const std::string& range) {
    const WholeNumber number = ReadWholeNumber(text, least, most);
    if (number.problem == WholeNumberProblem::kNotANumber) Refuse(what + ": not a number");
    if (number.problem == WholeNumberProblem::kOutOfRange) Refuse(what + ": " + range);
    return number.value;
}

std::optional<Date> DateIn(const char* text, std::string& error) {
    const std::optional<Date> date = ParseDate(text, &error);
    if (date && (date->year() < kFirstLunarYear || date->year() > kLastLunarYear)) {
        error = std::string(text) + ": the calendar covers 1901-01-01 to 2099-12-31";
        return std::nullopt;
    }
    return date;
}

}  // namespace

int GoodDaysCommand(DayInfoSource& days, const HolidaySchedule& schedule, const Date& today, int argc, char** argv) {
    if (argc < 3) return UsageOf("good-days");
    GoodDayQuery query;
    query.activity = FindGoodDayActivity(GbkArgument(argv[2]));
    if (!query.activity) {
        return Refuse("unknown activity " + GbkArgument(argv[2]) + "; the activities: " + GoodDayActivityNames() +
                      ", or any of the almanac's sixty (纳畜 ...)");
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

int LeavePlanCommand(const HolidaySchedule& schedule, int argc, char** argv) {
    if (argc < 3) return UsageOf("leave-plan");
    const std::optional<int> year =
        NumberArgument(argv[2], argv[2], kFirstLunarYear, kLastLunarYear, "a year from 1901 to 2099");
    if (!year) return kBadArguments;
    int maxLeave = kMaxLeaveDays;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--max-leave") == 0 && i + 1 < argc) {
            ++i;
            const std::optional<int> n = NumberArgument(std::string("--max-leave ") + argv[i], argv[i], 1,
                                                        kMaxLeaveDays, "from 1 to 5 days of leave");
            if (!n) return kBadArguments;
            maxLeave = *n;
        } else {
            return UsageOf("leave-plan");
        }
    }
    const LeavePlanYear plans = PlanLeave(schedule, *year, maxLeave);
    if (!plans.published && !plans.fromStatutoryDays) {
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
            ++i;
            years = NumberArgument(std::string("--years ") + argv[i], argv[i], 1, kLastLunarYear - kFirstLunarYear + 1,
                                   "from 1 to 199 years");
            if (!years) return kBadArguments;
        } else {
            numbers.push_back(argv[i]);
        }
    }
    if (numbers.size() != 2 && numbers.size() != 3) return UsageOf("lunar");
    for (const char* text : numbers) {
        if (std::strncmp(text, "--", 2) == 0) return UsageOf("lunar");  // an option it does not take
    }
    const bool withYear = numbers.size() == 3;
    const char* const monthText = numbers[withYear ? 1 : 0];
    const char* const dayText = numbers[withYear ? 2 : 1];
    const std::optional<int> monthNumber =
        NumberArgument(std::string("lunar month ") + monthText, monthText, 1, 12, "there is no such month");
    if (!monthNumber) return kBadArguments;
    const std::optional<int> dayNumber =
        NumberArgument(std::string("lunar day ") + dayText, dayText, 1, 30, "a lunar month has 29 or 30 days");
    if (!dayNumber) return kBadArguments;
    const int month = *monthNumber, day = *dayNumber;

    if (!withYear) {
        if (leap) return Refuse("--leap needs a year: only a year has a leap month");
        std::string text;
        for (const LunarYearDate& found : NextLunarDates(month, day, today, years.value_or(10))) {
            char year[16];
            std::snprintf(year, sizeof year, "%d年", found.lunarYear);
            text += "旧历" + std::string(year) + LunarMonthName(month) + "月" + LunarDayName(day) + "  ";
            text += found.date ? found.date->ToString() + "  星期" + WeekdayName(found.date->weekday()) + "  " +
                                     DaysAwayText(today, *found.date)
                               : "该年" + LunarMonthName(month) + "月没有" + LunarDayName(day);
            text += "\n";
        }
        WriteGbk(text);
        return 0;
    }
    if (years) return UsageOf("lunar");
    const std::optional<int> lunarYear =
        NumberArgument(std::string("lunar year ") + numbers[0], numbers[0], kFirstLunarYear, kLastLunarYear,
                       "the calendar covers 1901 to 2099");
    if (!lunarYear) return kBadArguments;
    const int year = *lunarYear;
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
    WriteGbk(date->ToString() + "  星期" + WeekdayName(date->weekday()) + "  旧历" + LunarDateText(lunar) + "  " +
             DaysAwayText(today, *date) + "\n");
    return 0;
}
