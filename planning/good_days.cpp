#include "planning/good_days.h"

#include <algorithm>

#include "almanac/almanac_page.h"
#include "almanac/day_facts.h"
#include "almanac/ganzhi.h"
#include "almanac/yiji_rules.h"
#include "base/gbk_scan.h"
#include "calendar/calendar_texts.h"

namespace {

// The almanac prints 宜 and 忌 from the sixty activities of the 通书
// (almanac/rules/activities.tsv), which speak the book's language: nobody
// asks for a 结婚姻 or 移徙 day. Each everyday word stands for the activities
// that mean it, as people read an almanac for it; a day is offered when its
// 宜 names one of them and its 忌 none.
const std::vector<GoodDayActivity> kActivities = {
    // The wedding: 嫁娶 is the bride going over, 结婚姻 the match itself.
    {"结婚", {"嫁娶", "结婚姻"}},
    {"嫁娶", {"嫁娶", "结婚姻", "纳采问名"}},
    // Registering a marriage makes the match: 结婚姻 first, a 嫁娶 day as well.
    {"领证", {"结婚姻", "嫁娶"}},
    // The betrothal gifts and the asking of names are the engagement.
    {"订婚", {"纳采问名", "结婚姻"}},
    // The book has no 入宅: moving into a home, new or not, is 移徙.
    {"搬家", {"移徙"}},
    {"入宅", {"移徙"}},
    // Building work on a house and doing up its walls.
    {"装修", {"修造动土", "修饰垣墙"}},
    {"动土", {"修造动土", "破土"}},
    {"上梁", {"竖柱上梁"}},
    // Taking a car home is a purchase (交易) and goods received (纳财).
    {"提车", {"交易", "纳财"}},
    // Buying a house: the deed (立券), the deal, the property received.
    {"买房", {"立券", "交易", "纳财"}},
    {"开业", {"开市", "开仓库"}},
    // Going back to work after a holiday opens the market again.
    {"开工", {"开市"}},
    {"签约", {"立券", "交易"}},
    {"求财", {"纳财"}},
    {"出行", {"出行"}},
    {"旅游", {"出行"}},
    {"安床", {"安床"}},
    {"祭祀", {"祭祀"}},
    {"祈福", {"祈福"}},
    {"求子", {"求嗣"}},
    {"求医", {"求医疗病"}},
    {"理发", {"剃头"}},
    {"入学", {"入学"}},
    // Taking up a new post is 上官赴任, whether in office or in a company.
    {"上任", {"上官赴任"}},
    {"入职", {"上官赴任"}},
    {"会友", {"会亲友"}},
    {"裁衣", {"裁衣"}},
    {"栽种", {"栽种"}},
    {"安葬", {"安葬"}},
};

// The sixty activities themselves, for whoever asks in the almanac's own
// words (纳畜, 开渠穿井): each stands for itself.
const std::vector<GoodDayActivity>& AlmanacActivities() {
    static const std::vector<GoodDayActivity> activities = [] {
        std::vector<GoodDayActivity> own;
        for (const std::string& item : almanac::YiJiRules::BuiltIn().Activities()) own.push_back({item, {item}});
        return own;
    }();
    return activities;
}

// What the almanac prints in place of a list on a day that forbids everything.
constexpr char kEverythingForbidden[] = "诸事不宜";

std::vector<std::string> Items(const std::string& list) {
    std::vector<std::string> items;
    for (std::string& item : SplitGbk(list, ' ')) {
        if (!item.empty()) items.push_back(std::move(item));
    }
    return items;
}

bool Names(const GoodDayActivity& activity, const std::string& item) {
    return std::find(activity.items.begin(), activity.items.end(), item) != activity.items.end();
}

bool IsDayOff(const Date& date, const HolidaySchedule* offDays) {
    if (const OffDay* listed = offDays ? offDays->Find(date) : nullptr) return listed->kind == OffDayKind::kOff;
    return date.weekday() >= 6;
}

}  // namespace

const std::vector<GoodDayActivity>& GoodDayActivities() { return kActivities; }

const GoodDayActivity* FindGoodDayActivity(const std::string& name) {
    for (const std::vector<GoodDayActivity>* table : {&kActivities, &AlmanacActivities()}) {
        for (const GoodDayActivity& activity : *table) {
            if (activity.name == name) return &activity;
        }
    }
    return nullptr;
}

std::string GoodDayActivityNames() {
    std::string names;
    for (const GoodDayActivity& activity : kActivities) names += (names.empty() ? "" : " ") + activity.name;
    return names;
}

Date AddMonths(const Date& date, int months) {
    const int index = date.year() * 12 + (date.month() - 1) + months;
    const std::optional<YearMonth> month = YearMonth::From(index / 12, index % 12 + 1);
    if (!month) return months < 0 ? Date::First() : Date::Last();
    return *month->Day(std::min(date.day(), month->DayCount()));
}

Date DefaultGoodDayEnd(const Date& first) {
    const Date end = AddMonths(first, kDefaultGoodDayMonths) - 1;
    return end.year() > kLastLunarYear ? *Date::FromCivil(kLastLunarYear, 12, 31) : end;
}

std::string GoodDayRangeProblem(const Date& first, const Date& last) {
    if (first.year() < kFirstLunarYear || last.year() > kLastLunarYear) return "日期须在1901年至2099年之间";
    if (last < first) return "结束日期早于开始日期";
    if (last >= AddMonths(first, kMaxGoodDayMonths)) return "查询范围最长12个月";
    return "";
}

std::optional<int> ZodiacIndex(const std::string& name) {
    for (int branch = 0; branch < 12; ++branch) {
        if (ZodiacName(4 + branch) == name) return branch;  // year 4 was a 鼠 year
    }
    return std::nullopt;
}

std::vector<std::string> ZodiacNames() {
    std::vector<std::string> names;
    for (int branch = 0; branch < 12; ++branch) names.push_back(ZodiacName(4 + branch));
    return names;
}

GoodDaySearch FindGoodDays(const GoodDayQuery& query, DayInfoSource& days, const HolidaySchedule* offDays) {
    GoodDaySearch search;
    if (!query.activity || !GoodDayRangeProblem(query.first, query.last).empty()) return search;
    // The 值神 follows from the day's branch and the month's by the solar
    // terms, which the almanac row does not keep.
    const almanac::AlmanacCalendar calendar(query.first.year(), query.last.year());
    for (const Date date : DateRange(query.first, query.last)) {
        const DayInfo info = days.GetDayInfo(date, kAlmanacPart);
        if (info.auspicious.empty() && info.inauspicious.empty()) {
            ++search.daysWithoutAlmanac;
            continue;
        }
        const std::vector<std::string> forbidden = Items(info.inauspicious);
        const bool forbids = std::any_of(forbidden.begin(), forbidden.end(), [&](const std::string& item) {
            return item == kEverythingForbidden || Names(*query.activity, item);
        });
        if (forbids) continue;
        GoodDay day;
        for (const std::string& item : Items(info.auspicious)) {
            if (Names(*query.activity, item)) day.matched.push_back(item);
        }
        if (day.matched.empty()) continue;

        const almanac::DayFacts facts = calendar.FactsOf(date.year(), date.month(), date.day());
        const int god = almanac::DutyGodIndex(facts.dayGanZhi.branch, facts.monthGanZhi.branch);
        day.yellowPath = almanac::IsYellowPath(god);
        if (query.yellowPathOnly && !day.yellowPath) continue;
        const int clashedBranch = (facts.dayGanZhi.branch + 6) % 12;
        if (query.notClashing && *query.notClashing == clashedBranch) continue;
        day.dayOff = IsDayOff(date, offDays);
        if (query.daysOffOnly && !day.dayOff) continue;

        day.date = date;
        day.lunar = info.lunar;
        day.dutyGod = almanac::DutyGodName(god);
        day.clash = "冲" + almanac::ClashText(facts.dayGanZhi);
        search.days.push_back(std::move(day));
    }
    return search;
}

std::vector<std::string> GoodDayColumns(const GoodDay& day) {
    std::string matched;
    for (const std::string& item : day.matched) matched += (matched.empty() ? "" : " ") + item;
    return {
        day.date.ToString(),
        LunarMonthDayText(day.lunar),
        "星期" + WeekdayName(day.date.weekday()),
        day.dutyGod + (day.yellowPath ? "（黄道）" : "（黑道）"),
        day.clash,
        "宜：" + matched,
    };
}

std::string GoodDayLine(const GoodDay& day) {
    std::string line;
    for (const std::string& column : GoodDayColumns(day)) line += (line.empty() ? "" : "  ") + column;
    return line;
}
