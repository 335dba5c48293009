// The traditional selection rules that decide what a day is auspicious (宜)
// and inauspicious (忌) for, after the method of the 协纪辨方书: the day's
// 神煞 are found from the year, the month by 节, the season, the day's 干支,
// the lunar day and the nearness of the solar terms; each 神煞 favours and
// forbids certain activities; the 宜忌等第 judge how far each 凶煞 keeps its
// 忌 against the 吉神 of the same day; the 铺注条例 trim what is printed.
//
// The rules themselves are tables (almanac/rules/*.tsv, explained
// in almanac/RULES.md) compiled into the program; this code only
// reads and applies them. Every text is GBK.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace almanac {

// Everything the rules look at on one day. Stems 0-9 (甲 ... 癸), branches
// 0-11 (子 ... 亥), solar terms 0 立春 ... 23 大寒.
struct SelectionFacts {
    int yearStem = 0, yearBranch = 0;  // the year that began on 立春
    int monthBranch = 2;               // the month by 节: 寅 (2) from 立春 ... 丑 (1) from 小寒
    int dayStem = 0, dayBranch = 0;
    int lunarDay = 1;                  // 1-30
    bool lastDayOfLunarMonth = false;  // 晦日
    int termToday = -1;                // the term falling on the day, or -1
    int termTomorrow = -1;             // the term falling on the next day, or -1
    int currentTerm = 0;               // the latest term on or before the day
    int daysSinceJie = 0;              // days since the month's 节 (0 on the 节 itself)
    int daysToSeasonStart = 0;         // days until the next 立春/立夏/立秋/立冬 (0 on it)
};

// How one 凶煞 (or rule of the day) that forbids something is judged on a day,
// from the mildest to the gravest.
enum class Judgement {
    kLifted,          // 不忌: its 忌 is not noted
    kFavourPrevails,  // 从宜不从忌: not noted, except the activities it still forbids
    kNeitherNoted,    // 不宜不忌: its activities are noted neither 宜 nor 忌
    kBalanced,        // 从宜亦从忌: what it forbids and another favours is noted as neither
    kForbidPrevails,  // 从忌不从宜: its 忌 is noted and overrides any 宜
    kAllForbidden,    // 诸事皆忌
};

// The name the book gives a judgement (从宜不从忌 ...).
std::string JudgementName(Judgement judgement);

struct YiJiDay {
    std::vector<std::string> goodGods;       // the day's 吉神, in table order
    std::vector<std::string> badGods;        // the day's 凶煞
    std::vector<int> yi;                     // activity numbers (vocabulary order) noted 宜
    std::vector<int> ji;                     // activity numbers noted 忌
    bool allForbidden = false;               // 诸事皆忌 by the grades
    bool restForbidden = false;              // 上朔 四离 四绝: all but a few activities forbidden
    std::vector<int> restForbiddenBy;        // the rules (by index) that make it so
    bool nothingForbidden = false;           // 德合 meeting 赦愿: 诸事不忌
    Judgement gravest = Judgement::kLifted;  // the gravest judgement of any 凶煞 that day

    // What each 神煞 or day rule present did, for explanations.
    struct Contribution {
        int rule = 0;                 // index into the rule set's 神煞
        std::uint64_t favoured = 0;   // activities it noted 宜
        std::uint64_t forbidden = 0;  // activities it forbade (before judgement)
        std::uint64_t kept = 0;       // of those, still noted 忌
        Judgement judgement = Judgement::kForbidPrevails;
    };
    std::vector<Contribution> contributions;
};

// The table texts the rules are read from (UTF-8 sources compiled to GBK).
struct YiJiTableTexts {
    const char* activities = "";
    const char* groups = "";
    const char* shensha = "";
    const char* effects = "";
    const char* grades = "";
    const char* puzhu = "";
};

// The tables built into the program.
YiJiTableTexts BuiltInYiJiTables();

class YiJiRules {
public:
    // Reads the tables; false with a message naming the table and line when a
    // row cannot be read or names something no table defines.
    bool Load(const YiJiTableTexts& tables, std::string& error);

    // The rules of the built-in tables, read once.
    static const YiJiRules& BuiltIn();

    YiJiDay Evaluate(const SelectionFacts& facts) const;

    // The lists as the almanac prints them: activity names in vocabulary
    // order, however long; 忌 诸事不宜 (and 宜 无) only for a day the grades
    // make fit for nothing (诸事皆忌); on a 四离/四绝/上朔 day (余事皆忌) the
    // favoured few closed by 余事勿取 and 忌 诸事不宜; 宜 无 when nothing is
    // favoured, 忌 诸事不忌 when nothing is forbidden.
    std::vector<std::string> YiList(const YiJiDay& day) const;
    std::vector<std::string> JiList(const YiJiDay& day) const;

    // Why an activity is or is not noted that day, one line per 神煞 that has
    // a say ("宜 天德", "忌 月破（从忌不从宜）"); empty for an unknown activity.
    std::vector<std::string> Explain(const YiJiDay& day, const std::string& activity) const;

    // Every 神煞 or day rule whose table rows favour (or forbid) an activity,
    // whatever day it is: the book's 用事 view of the same tables.
    std::vector<std::string> RulesNoting(const std::string& activity, bool favour) const;

    // The sixty activities in order, and a 神煞's name by its index.
    const std::vector<std::string>& Activities() const { return activities_; }
    const std::string& RuleName(int rule) const;
    int ActivityNumber(const std::string& name) const;  // -1 when unknown

    // Internal tables, public only so the table reader in the .cpp can fill them.
    struct Condition;
    struct Effect;
    struct GradeRow;
    struct Expression {
        std::vector<std::vector<int>> allOf;  // each inner list: any one of these 神煞
    };
    struct PuzhuRule;
    struct Rule;

    YiJiRules();
    ~YiJiRules();
    YiJiRules(const YiJiRules&);
    YiJiRules& operator=(const YiJiRules&);

private:
    std::vector<std::string> activities_;
    std::vector<Rule> rules_;
    std::vector<PuzhuRule> puzhu_;
};

}  // namespace almanac
