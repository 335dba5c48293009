#include "almanac/almanac_page.h"

#include <cstdio>

#include "almanac/yi_ji.h"
#include "calendar/calendar_texts.h"
#include "calendar/gregorian.h"

namespace almanac {

namespace {

int Mod(std::int64_t a, int m) {
    const int r = static_cast<int>(a % m);
    return r < 0 ? r + m : r;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& n : names) text += (text.empty() ? "" : " ") + n;
    return text;
}

}  // namespace

int DutyGodIndex(int branch, int governingBranch) {
    // 青龙 stands on 子 in 寅 and 申 months and two branches further for every
    // month after: 子午 months 申, 丑未 months 戌.
    const int qingLong = Mod(2 * governingBranch - 4, 12);
    return Mod(branch - qingLong, 12);
}

std::string DutyGodName(int index) {
    static constexpr const char* kNames[12] = {"青龙", "明堂", "天刑", "朱雀", "金匮", "天德",
                                               "白虎", "玉堂", "天牢", "玄武", "司命", "勾陈"};
    return kNames[Mod(index, 12)];
}

bool IsYellowPath(int index) {
    static constexpr bool kYellow[12] = {true, true, false, false, true, true, false, true, false, false, true, false};
    return kYellow[Mod(index, 12)];
}

std::string NaYinName(const GanZhi& g) {
    static constexpr const char* kNaYin[30] = {
        "海中金", "炉中火", "大林木", "路旁土", "剑锋金", "山头火", "涧下水", "城头土", "白蜡金", "杨柳木",
        "泉中水", "屋上土", "霹雳火", "松柏木", "长流水", "沙中金", "山下火", "平地木", "壁上土", "金箔金",
        "覆灯火", "天河水", "大驿土", "钗钏金", "桑柘木", "大溪水", "沙中土", "天上火", "石榴木", "大海水"};
    return kNaYin[CycleIndex(g) / 2];
}

int MansionIndex(std::int64_t serial) {
    // The mansions keep step with the week (角 on a Thursday, the day of 木);
    // 2025-06-26 is a 角 day.
    return Mod(serial - SerialFromCivil(2025, 6, 26), 28);
}

std::string MansionName(int index) {
    static constexpr const char* kMansions[28] = {"角木蛟", "亢金龙", "氐土貉", "房日兔", "心月狐", "尾火虎", "箕水豹",
                                                  "斗木獬", "牛金牛", "女土蝠", "虚日鼠", "危月燕", "室火猪", "壁水貐",
                                                  "奎木狼", "娄金狗", "胃土雉", "昴日鸡", "毕月乌", "觜火猴", "参水猿",
                                                  "井木犴", "鬼金羊", "柳土獐", "星日马", "张月鹿", "翼火蛇", "轸水蚓"};
    return kMansions[Mod(index, 28)];
}

std::string PengZuText(const GanZhi& day) {
    static constexpr const char* kByStem[10] = {
        "甲不开仓财物耗散", "乙不栽植千株不长", "丙不修灶必见灾殃", "丁不剃头头必生疮", "戊不受田田主不祥",
        "己不破券二比并亡", "庚不经络织机虚张", "辛不合酱主人不尝", "壬不泱水更难提防", "癸不词讼理弱敌强"};
    static constexpr const char* kByBranch[12] = {"子不问卜自惹祸殃", "丑不冠带主不还乡", "寅不祭祀神鬼不尝",
                                                  "卯不穿井水泉不香", "辰不哭泣必主重丧", "巳不远行财物伏藏",
                                                  "午不苫盖屋主更张", "未不服药毒气入肠", "申不安床鬼祟入房",
                                                  "酉不会客醉坐颠狂", "戌不吃犬作怪上床", "亥不嫁娶不利新郎"};
    return std::string(kByStem[Mod(day.stem, 10)]) + " " + kByBranch[Mod(day.branch, 12)];
}

GanZhi HourGanZhi(const GanZhi& day, int hourBranch) {
    // 甲己还加甲, 乙庚丙作初, 丙辛从戊起, 丁壬庚子居, 戊癸何方发, 壬子是真途.
    return GanZhi{Mod(2 * day.stem + hourBranch, 10), Mod(hourBranch, 12)};
}

AlmanacPage BuildAlmanacPage(const AlmanacCalendar& calendar, const DayFacts& f) {
    AlmanacPage page;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d年%d月%d日 星期", f.year, f.month, f.day);
    page.solarDate = buffer + WeekdayName(Date::FromSerial(f.serial).value().weekday());
    page.lunarDate = LunarDateText(f.lunar);
    page.yearGanZhi = GanZhiName(f.yearGanZhi);
    page.monthGanZhi = GanZhiName(f.monthGanZhi);
    page.dayGanZhi = GanZhiName(f.dayGanZhi);
    page.zodiac = ZodiacName(f.lunar.year);
    page.yearNaYin = NaYinName(f.yearGanZhi);
    page.monthNaYin = NaYinName(f.monthGanZhi);
    page.dayNaYin = NaYinName(f.dayGanZhi);
    const int god = DutyGodIndex(f.dayGanZhi.branch, f.monthGanZhi.branch);
    page.dutyGod = DutyGodName(god);
    page.yellowPath = IsYellowPath(god);
    page.jianChu = JianChuName(f.jianChu);
    page.mansion = MansionName(MansionIndex(f.serial));
    page.clash = ClashText(f.dayGanZhi);
    page.sha = ShaDirection(f.dayGanZhi.branch);
    page.taiShen = TaiShenText(f.dayGanZhi);
    page.pengZu = PengZuText(f.dayGanZhi);
    const YiJi yiJi = ChooseYiJi(calendar, f);
    page.goodGods = yiJi.goodGods;
    page.badGods = yiJi.badGods;
    page.yi = yiJi.yi;
    page.ji = yiJi.ji;
    for (int h = 0; h < 12; ++h) {
        AlmanacHour hour;
        hour.name = BranchName(h) + "时";
        std::snprintf(buffer, sizeof buffer, "%02d-%02d", Mod(2 * h - 1, 24), 2 * h + 1);
        hour.span = buffer;
        const GanZhi g = HourGanZhi(f.dayGanZhi, h);
        hour.ganZhi = GanZhiName(g);
        const int hourGod = DutyGodIndex(h, f.dayGanZhi.branch);
        hour.dutyGod = DutyGodName(hourGod);
        hour.lucky = IsYellowPath(hourGod);
        hour.clash = ClashText(g);
        page.hours.push_back(hour);
    }
    return page;
}

AlmanacPage AlmanacPageOf(const Date& date) {
    const AlmanacCalendar calendar(date.year(), date.year());
    return BuildAlmanacPage(calendar, calendar.FactsOf(date.year(), date.month(), date.day()));
}

std::vector<std::pair<std::string, std::string>> AlmanacPageEntries(const AlmanacPage& p) {
    // 宜 and 忌 lead, as on every printed almanac page: they are what the
    // page is opened for.
    return {
        {"阳历", p.solarDate},
        {"旧历", p.lunarDate},
        {"宜", Joined(p.yi)},
        {"忌", Joined(p.ji)},
        {"干支", p.yearGanZhi + "年 " + p.monthGanZhi + "月 " + p.dayGanZhi + "日"},
        {"生肖", p.zodiac},
        {"纳音", p.yearNaYin + " " + p.monthNaYin + " " + p.dayNaYin},
        {"值神", p.dutyGod + (p.yellowPath ? "（黄道日）" : "（黑道日）")},
        {"成", p.jianChu + "日"},
        {"二十八宿", p.mansion},
        {"冲煞", "冲" + p.clash + " 煞" + p.sha},
        {"胎神", p.taiShen},
        {"彭祖百忌", p.pengZu},
        {"吉神宜趋", p.goodGods.empty() ? "无" : Joined(p.goodGods)},
        {"凶煞宜忌", p.badGods.empty() ? "无" : Joined(p.badGods)},
    };
}

std::string AlmanacHourLine(const AlmanacHour& h) {
    return h.name + " " + h.span + " " + h.ganZhi + " " + h.dutyGod + " " + (h.lucky ? "吉" : "凶") + " 冲" + h.clash;
}

std::string AlmanacPageText(const AlmanacPage& page) {
    std::string text;
    for (const auto& [name, value] : AlmanacPageEntries(page)) text += name + "：" + value + "\n";
    text += "时辰：\n";
    for (const AlmanacHour& h : page.hours) text += "  " + AlmanacHourLine(h) + "\n";
    return text;
}

}  // namespace almanac
