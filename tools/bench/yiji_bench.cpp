#include <benchmark/benchmark.h>

#include <vector>

#include "almanac/generator/day_facts.h"
#include "almanac/generator/yi_ji.h"
#include "almanac/generator/yiji_rules.h"
#include "calendar/gregorian.h"

// The 宜忌 rules applied to every day of a year, as the generator does for
// each of its 72 684 rows; the day facts are prepared outside the timing.
static void BM_YiJiRulesWholeYear(benchmark::State& state) {
    const int year = static_cast<int>(state.range(0));
    const almanac_gen::AlmanacCalendar calendar(year, year);
    std::vector<almanac_gen::SelectionFacts> days;
    for (std::int64_t s = SerialFromCivil(year, 1, 1); s <= SerialFromCivil(year, 12, 31); ++s) {
        const CivilDate c = CivilFromSerial(s);
        days.push_back(almanac_gen::SelectionFactsOf(calendar, calendar.FactsOf(c.year, c.month, c.day)));
    }
    const almanac_gen::YiJiRules& rules = almanac_gen::YiJiRules::BuiltIn();
    for (auto _ : state) {
        for (const auto& facts : days) {
            const almanac_gen::YiJiDay day = rules.Evaluate(facts);
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
        almanac_gen::YiJiRules rules;
        std::string error;
        benchmark::DoNotOptimize(rules.Load(almanac_gen::BuiltInYiJiTables(), error));
    }
}
BENCHMARK(BM_YiJiRulesLoad)->Unit(benchmark::kMillisecond);
