#include "almanac/ganzhi.h"

#include "calendar/calendar_texts.h"

namespace almanac {

namespace {

constexpr const char* kJianChu[12] = {"建", "除", "满", "平", "定", "执", "破", "危", "成", "收", "开", "闭"};

int Mod(std::int64_t a, int m) {
    const int r = static_cast<int>(a % m);
    return r < 0 ? r + m : r;
}

// 胎神占方. Where the spirit of the unborn child sits is named by two parts:
// what the day's stem occupies (甲己 门, 乙庚 碓磨, 丙辛 厨灶, 丁壬 仓库, 戊癸 房床)
// and what its branch occupies (子午 碓, 丑未 厕, 寅申 炉, 卯酉 门, 辰戌 栖, 巳亥 床).
// The almanac writes the pair in set phrases where the parts meet: a lone 门
// is "占门 ...", 门 with 门 is 占大门, 门 with 栖 is 门鸡栖, and a part that repeats
// a character of the other (碓磨 with 碓, 房床 with 床) is "占" + the stem part.
std::string TaiShenPlace(const GanZhi& day) {
    static constexpr const char* kByStem[5] = {"门", "碓磨", "厨灶", "仓库", "房床"};
    static constexpr const char* kByBranch[6] = {"碓", "厕", "炉", "门", "栖", "床"};
    const std::string stemPart = kByStem[day.stem % 5];
    const std::string branchPart = kByBranch[day.branch % 6];
    if (stemPart == "门") {
        if (branchPart == "门") return "占大门";
        if (branchPart == "栖") return "门鸡栖";
        return "占门" + branchPart;
    }
    if (stemPart.find(branchPart) != std::string::npos) return "占" + stemPart;
    return stemPart + branchPart;
}

// The spirit walks round the house through the cycle: outside in the eight
// directions (six days in each corner, five in each cardinal direction) and,
// from 癸巳 to 戊申, inside the room, where the 戊 and 己 days of earth keep the
// middle.
std::string TaiShenDirection(int cycleIndex) {
    struct Stretch {
        int first;  // cycle index where the stretch begins
        const char* direction;
    };
    static constexpr Stretch kStretches[] = {
        {0, "外东南"},  {2, "外正南"},  {7, "外西南"},  {13, "外正西"}, {18, "外西北"},
        {24, "外正北"}, {29, "房内北"}, {34, "房内中"}, {36, "房内南"}, {39, "房内西"},
        {40, "房内东"}, {44, "房内中"}, {45, "外东北"}, {51, "外正东"}, {56, "外东南"},
    };
    const char* direction = kStretches[0].direction;
    for (const Stretch& s : kStretches) {
        if (cycleIndex >= s.first) direction = s.direction;
    }
    return direction;
}

}  // namespace

GanZhi DayGanZhi(std::int64_t serial) {
    // 1970-01-01 (serial 0) is 辛巳, position 17 of the cycle.
    return FromCycleIndex(serial + 17);
}

GanZhi YearGanZhi(int almanacYear) { return FromCycleIndex(almanacYear - 1984); }

GanZhi MonthGanZhi(int almanacYear, int jie) {
    const GanZhi year = YearGanZhi(almanacYear);
    const int firstStem = (2 * year.stem + 2) % 10;  // 甲/己 -> 丙, 乙/庚 -> 戊, ...
    return GanZhi{Mod(firstStem + jie, 10), Mod(2 + jie, 12)};
}

int JianChuIndex(int dayBranch, int monthBranch) { return Mod(dayBranch - monthBranch, 12); }

std::string JianChuName(int index) { return kJianChu[Mod(index, 12)]; }

GanZhi ClashOf(const GanZhi& day) { return GanZhi{Mod(day.stem + 4, 10), Mod(day.branch + 6, 12)}; }

std::string ClashText(const GanZhi& day) {
    const GanZhi clash = ClashOf(day);
    // ZodiacName counts years, and year 4 (like 1984) is 鼠, the animal of 子.
    return ZodiacName(4 + clash.branch) + "(" + GanZhiName(clash) + ")";
}

std::string ShaDirection(int dayBranch) {
    static constexpr const char* kByBranchModFour[4] = {"南", "东", "北", "西"};
    return kByBranchModFour[Mod(dayBranch, 4)];
}

std::string TaiShenText(const GanZhi& day) { return TaiShenPlace(day) + " " + TaiShenDirection(CycleIndex(day)); }

}  // namespace almanac
