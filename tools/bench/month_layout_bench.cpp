#include <benchmark/benchmark.h>

#include <vector>

#include "calendar/calendar_texts.h"
#include "calendar/lunar_calendar.h"
#include "tests/support/festival_samples.h"
#include "view/month_layout.h"
#include "view/skin_template.h"

// The layout of one month with the shipped template, the day information
// prepared beforehand so that only the layout itself is measured: grid,
// texts, styles, balloon texts and the upcoming-events list.
namespace {

DayInfo PreparedDay(const Date& date) {
    DayInfo info;
    info.date = date;
    info.lunar = SolarToLunar(date);
    info.zodiac = ZodiacName(info.lunar.year);
    info.yearGanZhi = "乙未年";
    info.monthGanZhi = "己卯月";
    info.dayGanZhi = "丙申日";
    info.auspicious = "祭祀 祈福 求嗣 开光 出行 解除 伐木 拆卸 修造 动土 起基 安床";
    info.inauspicious = "嫁娶 安葬";
    info.clash = "冲虎";
    info.shaDirection = "煞南";
    info.monthSolarTerms = "惊蛰 春分";
    if (date.day() % 7 == 3) info.festivals.push_back(MatchedFestival("纪念日"));
    return info;
}

// Hands out copies of March 2015's days (the list horizon reuses them by day
// of month), as cheap as day information can be.
class PreparedDays : public DayInfoSource {
public:
    DayInfo GetDayInfo(const Date& date, DayParts) override { return march[static_cast<size_t>(date.day() - 1)]; }
    std::vector<DayInfo> march;
};

void BM_LayOutMonth(benchmark::State& state) {
    const SkinTemplate skin = LoadSkinTemplate(SOLVANE_SOURCE_DIR "/data", "Default", FontFamilyQuery());
    MonthLayoutRequest request;
    request.month = *YearMonth::From(2015, 3);
    request.today = *Date::FromCivil(2015, 3, 10);
    request.listForDays = static_cast<int>(state.range(0));
    PreparedDays days;
    for (const Date date : request.month.Days()) days.march.push_back(PreparedDay(date));
    for (auto _ : state) benchmark::DoNotOptimize(LayOutMonth(skin, request, days));
}
BENCHMARK(BM_LayOutMonth)->Arg(30)->Arg(365)->Unit(benchmark::kMicrosecond);

}  // namespace
