#include <benchmark/benchmark.h>

#include <vector>

#include "almanac/day_facts.h"
#include "almanac/yi_ji.h"
#include "almanac/yiji_rules.h"
#include "calendar/gregorian.h"

// The 宜忌 rules applied to every day of a year, as the generator does for
// each of its 72 684 rows; the day facts are prepared outside the timing.
static void BM_YiJiRulesWholeYear(benchmark::State& state) {
    const int year = static_cast<int>(state.range(0));
    const almanac::AlmanacCalendar calendar(year, year);
    std::vector<almanac::SelectionFacts> days;
    for (std::int64_t s = SerialFromCivil(year, 1, 1); s <= SerialFromCivil(year, 12, 31); ++s) {
        const CivilDate c = CivilFromSerial(s);
        days.push_back(almanac::SelectionFactsOf(calendar, calendar.FactsOf(c.year, c.month, c.day)));
    }
    const almanac::YiJiRules& rules = almanac::YiJiRules::BuiltIn();
    for (auto _ : state) {
        for (const auto& facts : days) {
            const almanac::YiJiDay day = rules.Evaluate(facts);
            benchmark::DoNotOptimize(rules.YiList(day));
            benchmark::DoNotOptimize(rules.JiList(day));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(days.size()));
}
BENCHMARK(BM_YiJiRulesWholeYear)->Arg(2023)->Unit(benchmark::kMillisecond);

// Reading the rule tables, done once per run.
static void BM_YiJiRulesLoad(benchmark::State& state) {
    for (auto _ : state) {
        almanac::YiJiRules rules;
        std::string error;
        benchmark::DoNotOptimize(rules.Load(almanac::BuiltInYiJiTables(), error));
    }
}
BENCHMARK(BM_YiJiRulesLoad)->Unit(benchmark::kMillisecond);
