#include "almanac/yiji_rules.h"

#include <cstdlib>
#include <map>

#include "almanac/ganzhi.h"
#include "almanac/solar_term_names.h"
#include "base/gbk_scan.h"
#include "calendar/sexagenary_cycle.h"

namespace almanac {

namespace {

// A GBK trail byte may look like any ASCII letter or sign (| included), so
// text is split by whole characters, never by bytes.
std::vector<std::string> GbkChars(const std::string& s) {
    std::vector<std::string> chars;
    for (size_t i = 0; i < s.size();) {
        const size_t n = GbkCharLength(s, i);
        chars.push_back(s.substr(i, n));
        i += n;
    }
    return chars;
}

std::vector<std::string> SplitOn(const std::string& s, char separator, bool dropEmpty) {
    std::vector<std::string> parts;
    std::string current;
    for (size_t i = 0; i < s.size();) {
        if (GbkCharLength(s, i) == 2) {
            current.append(s, i, 2);
            i += 2;
            continue;
        }
        if (s[i] == separator) {
            if (!dropEmpty || !current.empty()) parts.push_back(current);
            current.clear();
        } else if (s[i] != '\r') {
            current += s[i];
        }
        ++i;
    }
    if (!dropEmpty || !current.empty()) parts.push_back(current);
    return parts;
}

std::vector<std::string> Words(const std::string& s) { return SplitOn(s, ' ', true); }

int JianChuNumber(const std::string& ch) {
    for (int i = 0; i < 12; ++i) {
        if (JianChuName(i) == ch) return i;
    }
    return -1;
}

// 正月 (寅) is 0 ... 十二月 (丑) is 11; the seasons follow: 春 0 ... 冬 3.
int MonthNumber(int monthBranch) { return (monthBranch + 10) % 12; }
int SeasonNumber(int monthBranch) { return MonthNumber(monthBranch) / 3; }

bool Has(std::uint64_t mask, int bit) { return bit >= 0 && bit < 64 && ((mask >> bit) & 1u) != 0; }
std::uint64_t Bit(int bit) { return std::uint64_t{1} << bit; }

struct LineReader {
    std::string table;
    int line = 0;
    std::string* error;
    bool Fail(const std::string& what) {
        *error = table + ".tsv line " + std::to_string(line) + ": " + what;
        return false;
    }
};

// The rows of a table: lines split at tabs, comments and blank lines left out.
std::vector<std::pair<int, std::vector<std::string>>> Rows(const char* text) {
    std::vector<std::pair<int, std::vector<std::string>>> rows;
    const std::vector<std::string> lines = SplitOn(text ? text : "", '\n', false);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (l.empty() || l[0] == '#') continue;
        rows.emplace_back(static_cast<int>(i + 1), SplitOn(l, '\t', false));
    }
    return rows;
}

}  // namespace

// ---------------------------------------------------------------------------
// The tables in memory.

enum class Key { kNone, kMonth, kSeason, kYearStem, kYearBranch };
enum class Target {
    kStem,
    kBranch,
    kGanZhi,
    kJianChu,
    kLunarDay,
    kTermTomorrow,
    kTermToday,
    kTuWang,
    kTuWangBranch,
    kLastLunarDay,
    kFanZhi,
    kDaysAfterJie,
};

struct YiJiRules::Condition {
    Key key = Key::kNone;
    Target target = Target::kStem;
    std::vector<std::uint64_t> cells;  // one per key value; a bit set per matching value
};

enum class EffectKind { kFavour, kForbid, kNotNoted, kOnlyNoted, kOnlyNotForbidden };

struct YiJiRules::Effect {
    EffectKind kind = EffectKind::kFavour;
    std::uint64_t activities = 0;
    Expression with;
    int fromTerm = -1, toTerm = -1;  // 时令: from (inclusive) ... to (exclusive)
};

struct GradeOutcome {
    Judgement judgement = Judgement::kForbidPrevails;
    int followRule = -1;  // 从X论
};

struct YiJiRules::GradeRow {
    std::uint32_t months = 0;  // month branches covered
    Expression with;           // 同值
    Expression meet;           // 遇; empty: unconditional
    GradeOutcome met, notMet;
    std::uint64_t still = 0;  // 仍忌
};

enum class PuzhuKind { kBalancedChain, kBalancedFavoured, kRuleNotForbid, kRuleNotFavour, kNothingForbidden };

struct YiJiRules::PuzhuRule {
    PuzhuKind kind = PuzhuKind::kBalancedChain;
    std::uint64_t ifActivities = 0;
    Expression ifRules;
    std::uint64_t then = 0;
};

enum class RuleClass { kGood, kBad, kDay };

struct YiJiRules::Rule {
    std::string name;
    RuleClass cls = RuleClass::kDay;
    std::vector<Condition> conditions;  // any one makes the rule present
    std::vector<Effect> effects;
    std::vector<GradeRow> grades;
};

YiJiRules::YiJiRules() = default;
YiJiRules::~YiJiRules() = default;
YiJiRules::YiJiRules(const YiJiRules&) = default;
YiJiRules& YiJiRules::operator=(const YiJiRules&) = default;

// ---------------------------------------------------------------------------
// Reading the tables.

namespace {

struct Reader {
    std::vector<std::string>& activities;
    std::vector<YiJiRules::Rule>& rules;
    std::map<std::string, std::uint64_t> terms;  // book name -> activities
    std::map<std::string, int> ruleIndex;
    std::map<std::string, std::vector<int>> groups;  // group -> alternatives
    std::string* error;

    using Row = std::vector<std::string>;

    // Hands each row of a table to `read`, `r` on its line, once the row has
    // the `fields` the table needs (`expected` names them); stops at the
    // first row refused.
    template <typename ReadRow>
    static bool EachRow(LineReader& r, const char* text, std::size_t fields, const char* expected, ReadRow read) {
        for (const auto& [line, f] : Rows(text)) {
            r.line = line;
            if (f.size() < fields) return r.Fail(expected);
            if (!read(f)) return false;
        }
        return true;
    }

    bool ReadActivities(const char* text) {
        LineReader r{"activities", 0, error};
        if (!EachRow(r, text, 3, "expected 序, 事 and 书中名称", [&](const Row& f) {
                std::uint64_t mask = 0;
                if (f[0] != "-") {
                    if (activities.size() >= 64) return r.Fail("more than 64 activities");
                    if (std::to_string(activities.size() + 1) != f[0]) return r.Fail("activities out of order");
                    mask = Bit(static_cast<int>(activities.size()));
                    activities.push_back(f[1]);
                }
                for (const std::string& term : Words(f[2])) terms[term] |= mask;
                return true;
            })) {
            return false;
        }
        if (activities.empty()) return r.Fail("no activities");
        return true;
    }

    bool Activities(LineReader& r, const std::string& list, std::uint64_t& mask) {
        mask = 0;
        if (list == "-") return true;
        for (const std::string& w : Words(list)) {
            const auto t = terms.find(w);
            if (t == terms.end()) return r.Fail("unknown activity " + w);
            mask |= t->second;
        }
        return true;
    }

    bool Expr(LineReader& r, const std::string& text, YiJiRules::Expression& e) {
        e.allOf.clear();
        if (text == "-" || text.empty()) return true;
        for (const std::string& word : Words(text)) {
            std::vector<int> anyOf;
            for (const std::string& name : SplitOn(word, '|', true)) {
                const auto g = groups.find(name);
                if (g != groups.end()) {
                    anyOf.insert(anyOf.end(), g->second.begin(), g->second.end());
                    continue;
                }
                const auto i = ruleIndex.find(name);
                if (i == ruleIndex.end()) return r.Fail("unknown 神煞 " + name);
                anyOf.push_back(i->second);
            }
            e.allOf.push_back(anyOf);
        }
        return true;
    }

    bool ReadGroups(const char* text) {
        LineReader r{"groups", 0, error};
        return EachRow(r, text, 2, "expected 名 and 成员", [&](const Row& f) {
            YiJiRules::Expression e;
            if (!Expr(r, f[1], e)) return false;
            if (e.allOf.size() != 1) return r.Fail("a group lists alternatives joined by |");
            groups[f[0]] = e.allOf[0];
            return true;
        });
    }

    // A cell of stems, branches or 干支 as a bit mask.
    bool Cell(LineReader& r, Target target, const std::string& cell, std::uint64_t& mask) {
        mask = 0;
        if (cell == "-") return true;
        const std::vector<std::string> chars = GbkChars(cell);
        if (target == Target::kGanZhi) {
            if (chars.size() % 2 != 0) return r.Fail("干支 come in pairs: " + cell);
            for (size_t i = 0; i < chars.size(); i += 2) {
                const int s = StemIndex(chars[i]), b = BranchIndex(chars[i + 1]);
                if (s < 0 || b < 0 || s % 2 != b % 2) return r.Fail("not a 干支: " + chars[i] + chars[i + 1]);
                mask |= Bit(CycleIndex(GanZhi{s, b}));
            }
            return true;
        }
        for (const std::string& c : chars) {
            const int n = target == Target::kStem ? StemIndex(c) : BranchIndex(c);
            if (n < 0) return r.Fail("not a " + std::string(target == Target::kStem ? "stem" : "branch") + ": " + c);
            mask |= Bit(n);
        }
        return true;
    }

    bool Terms(LineReader& r, const std::string& list, std::uint64_t& mask) {
        mask = 0;
        for (const std::string& w : Words(list)) {
            const int t = SolarTermIndex(w);
            if (t < 0) return r.Fail("not a solar term: " + w);
            mask |= Bit(t);
        }
        return true;
    }

    bool ConditionOf(LineReader& r, const std::string& how, const std::string& value, YiJiRules::Condition& c) {
        struct Form {
            const char* name;
            Key key;
            Target target;
            size_t cells;
        };
        static const Form kForms[] = {
            {"月→日干", Key::kMonth, Target::kStem, 12},
            {"月→日支", Key::kMonth, Target::kBranch, 12},
            {"月→干支", Key::kMonth, Target::kGanZhi, 12},
            {"季→日干", Key::kSeason, Target::kStem, 4},
            {"季→日支", Key::kSeason, Target::kBranch, 4},
            {"季→干支", Key::kSeason, Target::kGanZhi, 4},
            {"年干→日干", Key::kYearStem, Target::kStem, 10},
            {"年干→干支", Key::kYearStem, Target::kGanZhi, 10},
            {"年支→日支", Key::kYearBranch, Target::kBranch, 12},
            {"日干", Key::kNone, Target::kStem, 1},
            {"日支", Key::kNone, Target::kBranch, 1},
            {"干支", Key::kNone, Target::kGanZhi, 1},
            {"土王→日支", Key::kNone, Target::kTuWangBranch, 1},
        };
        for (const Form& form : kForms) {
            if (how != form.name) continue;
            const std::vector<std::string> cells = Words(value);
            if (cells.size() != form.cells) {
                return r.Fail(how + " takes " + std::to_string(form.cells) + " cells, found " +
                              std::to_string(cells.size()));
            }
            c.key = form.key;
            c.target = form.target;
            c.cells.resize(cells.size());
            const Target cellTarget = form.target == Target::kTuWangBranch ? Target::kBranch : form.target;
            for (size_t i = 0; i < cells.size(); ++i) {
                if (!Cell(r, cellTarget, cells[i], c.cells[i])) return false;
            }
            return true;
        }
        c.key = Key::kNone;
        c.cells.assign(1, 0);
        if (how == "建除") {
            c.target = Target::kJianChu;
            for (const std::string& ch : GbkChars(value)) {
                const int n = JianChuNumber(ch);
                if (n < 0) return r.Fail("not a 建除 value: " + ch);
                c.cells[0] |= Bit(n);
            }
            return true;
        }
        if (how == "农历日") {
            c.target = Target::kLunarDay;
            for (const std::string& d : SplitOn(value, ',', true)) {
                const int n = std::atoi(d.c_str());
                if (n < 1 || n > 30) return r.Fail("not a lunar day: " + d);
                c.cells[0] |= Bit(n);
            }
            return true;
        }
        if (how == "次日节气" || how == "当日节气") {
            c.target = how == "次日节气" ? Target::kTermTomorrow : Target::kTermToday;
            return Terms(r, value, c.cells[0]);
        }
        if (how == "节后日数") {
            const std::vector<std::string> cells = Words(value);
            if (cells.size() != 12) return r.Fail("节后日数 takes 12 cells");
            c.key = Key::kMonth;
            c.target = Target::kDaysAfterJie;
            c.cells.clear();
            for (const std::string& d : cells) c.cells.push_back(static_cast<std::uint64_t>(std::atoi(d.c_str())));
            return true;
        }
        if (how == "土王用事") {
            c.target = Target::kTuWang;
            return true;
        }
        if (how == "晦日") {
            c.target = Target::kLastLunarDay;
            return true;
        }
        if (how == "反支") {
            c.target = Target::kFanZhi;
            return true;
        }
        return r.Fail("unknown 取法 " + how);
    }

    bool ReadShenSha(const char* text) {
        LineReader r{"shensha", 0, error};
        return EachRow(r, text, 4, "expected 名, 类, 取法 and 值", [&](const Row& f) {
            RuleClass cls;
            if (f[1] == "吉")
                cls = RuleClass::kGood;
            else if (f[1] == "凶")
                cls = RuleClass::kBad;
            else if (f[1] == "日")
                cls = RuleClass::kDay;
            else
                return r.Fail("类 is 吉, 凶 or 日");
            auto found = ruleIndex.find(f[0]);
            if (found == ruleIndex.end()) {
                found = ruleIndex.emplace(f[0], static_cast<int>(rules.size())).first;
                rules.emplace_back();
                rules.back().name = f[0];
                rules.back().cls = cls;
            } else if (rules[found->second].cls != cls) {
                return r.Fail(f[0] + " is given two classes");
            }
            YiJiRules::Condition c;
            if (!ConditionOf(r, f[2], f[3], c)) return false;
            rules[found->second].conditions.push_back(c);
            return true;
        });
    }

    int RuleOf(LineReader& r, const std::string& name) {
        const auto i = ruleIndex.find(name);
        if (i == ruleIndex.end()) {
            r.Fail("unknown 神煞 " + name);
            return -1;
        }
        return i->second;
    }

    bool Window(LineReader& r, const std::string& text, int& from, int& to) {
        from = to = -1;
        if (text == "-") return true;
        const std::vector<std::string> c = GbkChars(text);
        if (c.size() != 6 || c[2] != "后" || c[5] != "前") return r.Fail("时令 reads X后Y前: " + text);
        from = SolarTermIndex(c[0] + c[1]);
        to = SolarTermIndex(c[3] + c[4]);
        if (from < 0 || to < 0) return r.Fail("not solar terms: " + text);
        return true;
    }

    bool ReadEffects(const char* text) {
        LineReader r{"effects", 0, error};
        return EachRow(r, text, 5, "expected 名, 宜忌, 事, 并 and 时令", [&](const Row& f) {
            const int rule = RuleOf(r, f[0]);
            if (rule < 0) return false;
            YiJiRules::Effect e;
            if (f[1] == "宜")
                e.kind = EffectKind::kFavour;
            else if (f[1] == "忌")
                e.kind = EffectKind::kForbid;
            else if (f[1] == "不注")
                e.kind = EffectKind::kNotNoted;
            else if (f[1] == "止注")
                e.kind = EffectKind::kOnlyNoted;
            else if (f[1] == "止不忌")
                e.kind = EffectKind::kOnlyNotForbidden;
            else
                return r.Fail("宜忌 is 宜, 忌, 不注, 止注 or 止不忌");
            if (!Activities(r, f[2], e.activities) || !Expr(r, f[3], e.with) ||
                !Window(r, f[4], e.fromTerm, e.toTerm)) {
                return false;
            }
            rules[rule].effects.push_back(e);
            return true;
        });
    }

    bool OutcomeOf(LineReader& r, const std::string& text, GradeOutcome& o) {
        static const std::pair<const char*, Judgement> kNames[] = {
            {"不忌", Judgement::kLifted},
            {"从宜不从忌", Judgement::kFavourPrevails},
            {"不宜不忌", Judgement::kNeitherNoted},
            {"从宜亦从忌", Judgement::kBalanced},
            {"从忌不从宜", Judgement::kForbidPrevails},
            {"诸事皆忌", Judgement::kAllForbidden},
        };
        for (const auto& [name, judgement] : kNames) {
            if (text == name) {
                o = GradeOutcome{judgement, -1};
                return true;
            }
        }
        const std::vector<std::string> c = GbkChars(text);
        if (c.size() >= 3 && c.front() == "从" && c.back() == "论") {
            std::string name;
            for (size_t i = 1; i + 1 < c.size(); ++i) name += c[i];
            o.followRule = RuleOf(r, name);
            return o.followRule >= 0;
        }
        return r.Fail("unknown outcome " + text);
    }

    bool ReadGrades(const char* text) {
        LineReader r{"grades", 0, error};
        return EachRow(r, text, 7, "expected 凶煞, 月, 同值, 遇, 遇则, 不遇则 and 仍忌", [&](const Row& f) {
            const int rule = RuleOf(r, f[0]);
            if (rule < 0) return false;
            YiJiRules::GradeRow g;
            if (f[1] == "*") {
                g.months = 0xFFF;
            } else {
                for (const std::string& ch : GbkChars(f[1])) {
                    const int b = BranchIndex(ch);
                    if (b < 0) return r.Fail("not a month branch: " + ch);
                    g.months |= 1u << b;
                }
            }
            if (!Expr(r, f[2], g.with) || !Expr(r, f[3], g.meet)) return false;
            if (!g.meet.allOf.empty() && !OutcomeOf(r, f[4], g.met)) return false;
            if (!OutcomeOf(r, f[5], g.notMet) || !Activities(r, f[6], g.still)) return false;
            rules[rule].grades.push_back(g);
            return true;
        });
    }

    bool ReadPuzhu(const char* text, std::vector<YiJiRules::PuzhuRule>& puzhu) {
        LineReader r{"puzhu", 0, error};
        return EachRow(r, text, 3, "expected 类, 若 and 则", [&](const Row& f) {
            YiJiRules::PuzhuRule p;
            bool ifIsRules = false;
            if (f[0] == "相抵连带")
                p.kind = PuzhuKind::kBalancedChain;
            else if (f[0] == "相抵宜")
                p.kind = PuzhuKind::kBalancedFavoured;
            else if (f[0] == "神不注忌") {
                p.kind = PuzhuKind::kRuleNotForbid;
                ifIsRules = true;
            } else if (f[0] == "神不注宜") {
                p.kind = PuzhuKind::kRuleNotFavour;
                ifIsRules = true;
            } else if (f[0] == "诸事不忌") {
                p.kind = PuzhuKind::kNothingForbidden;
                ifIsRules = true;
            } else
                return r.Fail("unknown 类 " + f[0]);
            const bool ok = ifIsRules ? Expr(r, f[1], p.ifRules) : Activities(r, f[1], p.ifActivities);
            if (!ok || !Activities(r, f[2], p.then)) return false;
            puzhu.push_back(p);
            return true;
        });
    }
};

}  // namespace

bool YiJiRules::Load(const YiJiTableTexts& tables, std::string& error) {
    YiJiRules fresh;
    Reader reader{fresh.activities_, fresh.rules_, {}, {}, {}, &error};
    // Groups name 神煞, so they are read after shensha; nothing before them uses groups.
    if (!reader.ReadActivities(tables.activities) || !reader.ReadShenSha(tables.shensha) ||
        !reader.ReadGroups(tables.groups) || !reader.ReadEffects(tables.effects) || !reader.ReadGrades(tables.grades) ||
        !reader.ReadPuzhu(tables.puzhu, fresh.puzhu_)) {
        return false;
    }
    *this = fresh;
    return true;
}

const YiJiRules& YiJiRules::BuiltIn() {
    static const YiJiRules rules = [] {
        YiJiRules r;
        std::string error;
        // The built-in tables are checked by the tests; a table that fails to
        // read leaves the rules empty rather than half read.
        if (!r.Load(BuiltInYiJiTables(), error)) r = YiJiRules();
        return r;
    }();
    return rules;
}

const std::string& YiJiRules::RuleName(int rule) const { return rules_.at(static_cast<size_t>(rule)).name; }

int YiJiRules::ActivityNumber(const std::string& name) const {
    for (size_t i = 0; i < activities_.size(); ++i) {
        if (activities_[i] == name) return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::string> YiJiRules::RulesNoting(const std::string& activity, bool favour) const {
    const int a = ActivityNumber(activity);
    std::vector<std::string> names;
    if (a < 0) return names;
    for (const Rule& rule : rules_) {
        for (const Effect& e : rule.effects) {
            const bool kind = favour ? e.kind == EffectKind::kFavour : e.kind == EffectKind::kForbid;
            if (kind && Has(e.activities, a)) {
                names.push_back(rule.name);
                break;
            }
        }
    }
    return names;
}

std::string JudgementName(Judgement judgement) {
    switch (judgement) {
        case Judgement::kLifted:
            return "不忌";
        case Judgement::kFavourPrevails:
            return "从宜不从忌";
        case Judgement::kNeitherNoted:
            return "不宜不忌";
        case Judgement::kBalanced:
            return "从宜亦从忌";
        case Judgement::kForbidPrevails:
            return "从忌不从宜";
        case Judgement::kAllForbidden:
            return "诸事皆忌";
    }
    return "";
}

// ---------------------------------------------------------------------------
// Applying the rules to a day.

namespace {

bool Holds(const YiJiRules::Expression& e, const std::vector<char>& present) {
    for (const std::vector<int>& anyOf : e.allOf) {
        bool one = false;
        for (int r : anyOf) one = one || present[static_cast<size_t>(r)];
        if (!one) return false;
    }
    return true;
}

bool InWindow(int term, int from, int to) {
    if (from < 0) return true;
    return from <= to ? term >= from && term < to : term >= from || term < to;
}

// 反支: counted from the 朔's branch, 戌亥 朔 the first day, 申酉 the second ...
// 子丑 the sixth, then every sixth day after.
bool IsFanZhi(const SelectionFacts& f) {
    const int shuoBranch = ((f.dayBranch - (f.lunarDay - 1)) % 12 + 12) % 12;
    const int first = 6 - shuoBranch / 2;
    return f.lunarDay >= first && (f.lunarDay - first) % 6 == 0;
}

bool Matches(const YiJiRules::Condition& c, const SelectionFacts& f) {
    size_t cell = 0;
    switch (c.key) {
        case Key::kNone:
            cell = 0;
            break;
        case Key::kMonth:
            cell = static_cast<size_t>(MonthNumber(f.monthBranch));
            break;
        case Key::kSeason:
            cell = static_cast<size_t>(SeasonNumber(f.monthBranch));
            break;
        case Key::kYearStem:
            cell = static_cast<size_t>(f.yearStem);
            break;
        case Key::kYearBranch:
            cell = static_cast<size_t>(f.yearBranch);
            break;
    }
    if (cell >= c.cells.size()) return false;
    const std::uint64_t m = c.cells[cell];
    const bool tuWang = f.daysToSeasonStart >= 1 && f.daysToSeasonStart <= 18;
    switch (c.target) {
        case Target::kStem:
            return Has(m, f.dayStem);
        case Target::kBranch:
            return Has(m, f.dayBranch);
        case Target::kGanZhi:
            return Has(m, CycleIndex(GanZhi{f.dayStem, f.dayBranch}));
        case Target::kJianChu:
            return Has(m, (f.dayBranch - f.monthBranch + 12) % 12);
        case Target::kLunarDay:
            return Has(m, f.lunarDay);
        case Target::kTermTomorrow:
            return Has(m, f.termTomorrow);
        case Target::kTermToday:
            return Has(m, f.termToday);
        case Target::kTuWang:
            return tuWang;
        case Target::kTuWangBranch:
            return tuWang && Has(m, f.dayBranch);
        case Target::kLastLunarDay:
            return f.lastDayOfLunarMonth;
        case Target::kFanZhi:
            return IsFanZhi(f);
        case Target::kDaysAfterJie:
            return static_cast<std::uint64_t>(f.daysSinceJie) == m;
    }
    return false;
}

// One day's worth of intermediate results, per rule (by index) and overall.
struct Working {
    std::vector<char> present;
    std::vector<std::uint64_t> favours, forbids;         // what each present rule favours, forbids
    std::uint64_t favoured = 0;                          // all of them together
    std::uint64_t notNoted = 0;                          // 不注 (and 不宜不忌)
    std::uint64_t onlyNoted = ~std::uint64_t{0};         // 止注
    std::uint64_t notForbiddenOnly = ~std::uint64_t{0};  // 止不忌
    std::vector<GradeOutcome> judged;
    std::vector<std::uint64_t> still;  // 仍忌 of the judgement
};

// Step 1: the 神煞 and day rules present.
void FindPresent(const std::vector<YiJiRules::Rule>& rules, const SelectionFacts& f, Working& w, YiJiDay& day) {
    w.present.assign(rules.size(), 0);
    for (size_t i = 0; i < rules.size(); ++i) {
        for (const YiJiRules::Condition& c : rules[i].conditions) {
            if (Matches(c, f)) {
                w.present[i] = 1;
                break;
            }
        }
        if (!w.present[i]) continue;
        if (rules[i].cls == RuleClass::kGood) day.goodGods.push_back(rules[i].name);
        if (rules[i].cls == RuleClass::kBad) day.badGods.push_back(rules[i].name);
    }
}

// Step 2: what they favour and forbid.
void CollectEffects(const std::vector<YiJiRules::Rule>& rules, const SelectionFacts& f, Working& w, YiJiDay& day) {
    w.favours.assign(rules.size(), 0);
    w.forbids.assign(rules.size(), 0);
    for (size_t i = 0; i < rules.size(); ++i) {
        if (!w.present[i]) continue;
        for (const YiJiRules::Effect& e : rules[i].effects) {
            if (!Holds(e.with, w.present) || !InWindow(f.currentTerm, e.fromTerm, e.toTerm)) continue;
            switch (e.kind) {
                case EffectKind::kFavour:
                    w.favours[i] |= e.activities;
                    break;
                case EffectKind::kForbid:
                    w.forbids[i] |= e.activities;
                    break;
                case EffectKind::kNotNoted:
                    w.notNoted |= e.activities;
                    break;
                case EffectKind::kOnlyNoted:
                    w.onlyNoted &= e.activities;
                    break;
                case EffectKind::kOnlyNotForbidden:
                    w.notForbiddenOnly &= e.activities;
                    day.restForbidden = true;
                    day.restForbiddenBy.push_back(static_cast<int>(i));
                    break;
            }
        }
        w.favoured |= w.favours[i];
    }
}

// The first grade row of a rule that applies on the day.
void GradeOf(const YiJiRules::Rule& rule, std::uint32_t monthBit, const std::vector<char>& present, GradeOutcome& o,
             std::uint64_t& still) {
    o = GradeOutcome{};
    still = 0;
    for (const YiJiRules::GradeRow& g : rule.grades) {
        if (!(g.months & monthBit) || !Holds(g.with, present)) continue;
        const bool met = !g.meet.allOf.empty() && Holds(g.meet, present);
        o = met ? g.met : g.notMet;
        still = g.still;
        return;
    }
}

// Step 3: the judgement of every rule that forbids something or is graded.
void Judge(const std::vector<YiJiRules::Rule>& rules, const SelectionFacts& f, Working& w, YiJiDay& day) {
    w.judged.assign(rules.size(), GradeOutcome{});
    w.still.assign(rules.size(), 0);
    const std::uint32_t monthBit = 1u << f.monthBranch;
    for (size_t i = 0; i < rules.size(); ++i) {
        if (!w.present[i] || (w.forbids[i] == 0 && rules[i].grades.empty())) continue;
        GradeOutcome o;
        std::uint64_t still;
        GradeOf(rules[i], monthBit, w.present, o, still);
        // 从X论: judged as X is; X's own 从Y论 followed a few steps at most.
        for (int step = 0; o.followRule >= 0 && step < 4; ++step) {
            const size_t x = static_cast<size_t>(o.followRule);
            if (!w.present[x]) break;
            GradeOf(rules[x], monthBit, w.present, o, still);
        }
        if (o.followRule >= 0) o = GradeOutcome{};  // X absent, or a loop: as usual
        w.judged[i] = o;
        w.still[i] = still;
        if (o.judgement > day.gravest) day.gravest = o.judgement;
        if (o.judgement == Judgement::kAllForbidden) day.allForbidden = true;
    }
}

// On a 吉凶相抵 judgement, what the 凶煞 still notes as 忌 after the 铺注条例.
std::uint64_t BalancedKept(std::uint64_t forbids, std::uint64_t favoured, std::uint64_t liftedByRules,
                           const std::vector<YiJiRules::PuzhuRule>& puzhu) {
    std::uint64_t kept = forbids & ~favoured;
    // Two passes let one article's lifting feed another (嫁娶 -> 结婚姻 -> 冠带).
    for (int pass = 0; pass < 2; ++pass) {
        for (const YiJiRules::PuzhuRule& p : puzhu) {
            const std::uint64_t lifted = forbids & ~kept;
            if (p.kind == PuzhuKind::kBalancedChain && p.ifActivities != 0 &&
                (lifted & p.ifActivities) == p.ifActivities) {
                kept &= ~p.then;
            }
            if (p.kind == PuzhuKind::kBalancedFavoured && (favoured & p.ifActivities) != 0) kept &= ~p.then;
        }
    }
    return kept & ~liftedByRules;
}

}  // namespace

YiJiDay YiJiRules::Evaluate(const SelectionFacts& f) const {
    YiJiDay day;
    const std::uint64_t everything =
        activities_.size() >= 64 ? ~std::uint64_t{0} : Bit(static_cast<int>(activities_.size())) - 1;
    Working w;
    FindPresent(rules_, f, w, day);
    CollectEffects(rules_, f, w, day);
    Judge(rules_, f, w, day);

    // 铺注 articles that hang on the 神煞 present.
    std::uint64_t liftedByRules = 0, notFavouredByRules = 0;
    for (const PuzhuRule& p : puzhu_) {
        if (!Holds(p.ifRules, w.present)) continue;
        if (p.kind == PuzhuKind::kRuleNotForbid) liftedByRules |= p.then;
        if (p.kind == PuzhuKind::kRuleNotFavour) notFavouredByRules |= p.then;
        if (p.kind == PuzhuKind::kNothingForbidden) day.nothingForbidden = true;
    }

    // Step 4: each judgement applied to what its rule forbids. "hard" 忌 override
    // any 宜; a 吉凶相抵 judgement notes a favoured activity as neither.
    std::uint64_t hard = 0, soft = 0, balancedConflicts = 0;
    for (size_t i = 0; i < rules_.size(); ++i) {
        if (!w.present[i]) continue;
        std::uint64_t kept = 0;
        switch (w.judged[i].judgement) {
            case Judgement::kLifted:
                break;
            case Judgement::kFavourPrevails:
                kept = w.still[i];
                hard |= kept;
                break;
            case Judgement::kNeitherNoted:
                w.notNoted |= w.forbids[i];
                break;
            case Judgement::kForbidPrevails:
            case Judgement::kAllForbidden:
                kept = w.forbids[i] | w.still[i];
                hard |= kept;
                break;
            case Judgement::kBalanced:
                balancedConflicts |= w.forbids[i] & w.favoured;
                kept = BalancedKept(w.forbids[i], w.favoured, liftedByRules, puzhu_);
                soft |= kept;
                break;
        }
        if (w.favours[i] || w.forbids[i]) {
            day.contributions.push_back({static_cast<int>(i), w.favours[i], w.forbids[i], kept, w.judged[i].judgement});
        }
    }

    std::uint64_t yi = w.favoured & ~hard & ~soft & ~balancedConflicts & ~w.notNoted & w.onlyNoted &
                       w.notForbiddenOnly & ~notFavouredByRules;
    std::uint64_t ji = hard | soft;
    if (day.restForbidden) ji |= everything & ~w.notForbiddenOnly;
    if (day.allForbidden) {
        yi = 0;
        ji = everything;
    }
    // 上朔 四离 四绝 keep their 忌 "与德合赦愿并犹忌", even where 德合 meets 赦愿.
    if (day.allForbidden || day.restForbidden) day.nothingForbidden = false;
    if (day.nothingForbidden) ji = 0;
    for (int a = 0; a < static_cast<int>(activities_.size()); ++a) {
        if (Has(yi, a)) day.yi.push_back(a);
        if (Has(ji, a)) day.ji.push_back(a);
    }
    return day;
}

std::vector<std::string> YiJiRules::YiList(const YiJiDay& day) const {
    // 诸事不宜 is a 忌: a reader who sees it under 宜 takes it for advice to do
    // anything. A day with nothing favoured says so plainly, whatever the 忌.
    if (day.allForbidden) return {"无"};
    std::vector<std::string> list;
    for (int a : day.yi) list.push_back(activities_[static_cast<size_t>(a)]);
    if (list.empty()) return {"无"};
    // The book's 余事皆忌 days: the few things still allowed, and no more.
    if (day.restForbidden) list.push_back("余事勿取");
    return list;
}

std::vector<std::string> YiJiRules::JiList(const YiJiDay& day) const {
    if (day.allForbidden || day.restForbidden) return {"诸事不宜"};
    std::vector<std::string> list;
    for (int a : day.ji) list.push_back(activities_[static_cast<size_t>(a)]);
    if (list.empty()) return {"诸事不忌"};
    return list;
}

std::vector<std::string> YiJiRules::Explain(const YiJiDay& day, const std::string& activity) const {
    const int a = ActivityNumber(activity);
    if (a < 0) return {};
    std::vector<std::string> lines;
    for (const YiJiDay::Contribution& c : day.contributions) {
        const std::string& name = rules_[static_cast<size_t>(c.rule)].name;
        if (Has(c.favoured, a)) lines.push_back("宜 " + name);
        const bool forbidden = Has(c.forbidden, a), kept = Has(c.kept, a);
        if (!forbidden && !kept) continue;
        std::string note = JudgementName(c.judgement);
        if (!forbidden) {
            note += " 仍忌";
        } else if (!kept && c.judgement != Judgement::kLifted && c.judgement != Judgement::kNeitherNoted) {
            note += " 不注";
        }
        lines.push_back("忌 " + name + "（" + note + "）");
    }
    return lines;
}

}  // namespace almanac
