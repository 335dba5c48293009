#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "calendar/calendar_texts.h"
#include "calendar/lunar_calendar.h"
#include "view/month_layout.h"
#include "view/skin_template.h"

// The layout of one month with the shipped template, the day information
// prepared beforehand so that only the layout itself is measured: grid,
// texts, styles, balloon texts and the upcoming-events list.
namespace {

DayInfo PreparedDay(int y, int m, int d) {
    DayInfo info;
    char ymd[16];
    std::snprintf(ymd, sizeof ymd, "%04d-%02d-%02d", y, m, d);
    info.solarDate = ymd;
    const LunarDate lunar = SolarToLunar(y, m, d);
    std::snprintf(ymd, sizeof ymd, "%04d-%02d-%02d", lunar.year, lunar.month, lunar.day);
    info.lunarDate = ymd;
    info.zodiac = ZodiacName(lunar.year);
    info.weekday = DayOfWeek(y, m, d);
    info.nYear = "乙未年";
    info.nMonth = "己卯月";
    info.nDay = "丙申日";
    info.Yi = "祭祀 祈福 求嗣 开光 出行 解除 伐木 拆卸 修造 动土 起基 安床";
    info.Ji = "嫁娶 安葬";
    info.Chong = "冲虎";
    info.Sha = "煞南";
    info.JQ = "惊蛰 春分";
    if (d % 7 == 3) {
        FestivalRule festival;
        festival.name = "纪念日";
        festival.showInForenotice = "1";
        info.festivals.push_back(festival);
    }
    return info;
}

// Hands out copies of March 2015's days (the list horizon reuses them by day
// of month), as cheap as day information can be.
class PreparedDays : public DayInfoSource {
public:
    DayInfo GetDayInfo(int, int, int day, bool, bool, bool) override { return march[static_cast<size_t>(day - 1)]; }
    std::vector<DayInfo> march;
};

void BM_LayOutMonth(benchmark::State& state) {
    const SkinTemplate skin = LoadSkinTemplate(SOLVANE_SOURCE_DIR "/data", "Default", FontFamilyQuery());
    MonthLayoutRequest request;
    request.year = 2015;
    request.month = 3;
    request.today = {2015, 3, 10};
    request.listForDays = static_cast<int>(state.range(0));
    PreparedDays days;
    for (int d = 1; d <= 31; ++d) days.march.push_back(PreparedDay(2015, 3, d));
    for (auto _ : state) benchmark::DoNotOptimize(LayOutMonth(skin, request, days));
}
BENCHMARK(BM_LayOutMonth)->Arg(30)->Arg(365)->Unit(benchmark::kMicrosecond);

}  // namespace
