#include "calendar/lunar_calendar.h"

#include <algorithm>

#include "calendar/gregorian.h"

namespace {

// One packed value per lunar year 1901-2099:
//   bits 0-4   Gregorian day of the lunar new year
//   bits 5-6   its Gregorian month (1 = January, anything else = February)
//   bits 7-19  month lengths in calendar order, first month at bit 19,
//              1 = 30 days, 0 = 29 days; a leap month takes its own bit right
//              after the ordinary month of the same number
//   bits 20-23 number of the leap month, 0 for none
//
// Corrections: the entries for 1989, 2025, 2089 and 2097 are set to agree with
// the astronomical calendar (new moons reckoned in China Standard Time, the
// national standard's rule). The values long circulated for these years,
// 1989 = 0x093746, 2025 = 0x69573D, 2089 = 0x0D264A and 2097 = 0x0A4D4C, which
// put e.g. lunar 2025-4-1 on 27 April instead of 28 April.
constexpr std::uint32_t kLunarInfo[kLastLunarYear - kFirstLunarYear + 1] = {
    0x04AE53, 0x0A5748, 0x5526BD, 0x0D2650, 0x0D9544, 0x46AAB9, 0x056A4D, 0x09AD42, 0x24AEB6, 0x04AE4A,  // 1901
    0x6A4DBE, 0x0A4D52, 0x0D2546, 0x5D52BA, 0x0B544E, 0x0D6A43, 0x296D37, 0x095B4B, 0x749BC1, 0x049754,  // 1911
    0x0A4B48, 0x5B25BC, 0x06A550, 0x06D445, 0x4ADAB8, 0x02B64D, 0x095742, 0x2497B7, 0x04974A, 0x664B3E,  // 1921
    0x0D4A51, 0x0EA546, 0x56D4BA, 0x05AD4E, 0x02B644, 0x393738, 0x092E4B, 0x7C96BF, 0x0C9553, 0x0D4A48,  // 1931
    0x6DA53B, 0x0B554F, 0x056A45, 0x4AADB9, 0x025D4D, 0x092D42, 0x2C95B6, 0x0A954A, 0x7B4ABD, 0x06CA51,  // 1941
    0x0B5546, 0x555ABB, 0x04DA4E, 0x0A5B43, 0x352BB8, 0x052B4C, 0x8A953F, 0x0E9552, 0x06AA48, 0x6AD53C,  // 1951
    0x0AB54F, 0x04B645, 0x4A5739, 0x0A574D, 0x052642, 0x3E9335, 0x0D9549, 0x75AABE, 0x056A51, 0x096D46,  // 1961
    0x54AEBB, 0x04AD4F, 0x0A4D43, 0x4D26B7, 0x0D254B, 0x8D52BF, 0x0B5452, 0x0B6A47, 0x696D3C, 0x095B50,  // 1971
    0x049B45, 0x4A4BB9, 0x0A4B4D, 0xAB25C2, 0x06A554, 0x06D449, 0x6ADA3D, 0x0AB651, 0x095746, 0x5497BB,  // 1981
    0x04974F, 0x064B44, 0x36A537, 0x0EA54A, 0x86B2BF, 0x05AC53, 0x0AB647, 0x5936BC, 0x092E50, 0x0C9645,  // 1991
    0x4D4AB8, 0x0D4A4C, 0x0DA541, 0x25AAB6, 0x056A49, 0x7AADBD, 0x025D52, 0x092D47, 0x5C95BA, 0x0A954E,  // 2001
    0x0B4A43, 0x4B5537, 0x0AD54A, 0x955ABF, 0x04BA53, 0x0A5B48, 0x652BBC, 0x052B50, 0x0A9345, 0x474AB9,  // 2011
    0x06AA4C, 0x0AD541, 0x24DAB6, 0x04B64A, 0x6A573D, 0x0A4E51, 0x0D2646, 0x5E933A, 0x0D534D, 0x05AA43,  // 2021
    0x36B537, 0x096D4B, 0xB4AEBF, 0x04AD53, 0x0A4D48, 0x6D25BC, 0x0D254F, 0x0D5244, 0x5DAA38, 0x0B5A4C,  // 2031
    0x056D41, 0x24ADB6, 0x049B4A, 0x7A4BBE, 0x0A4B51, 0x0AA546, 0x5B52BA, 0x06D24E, 0x0ADA42, 0x355B37,  // 2041
    0x09374B, 0x8497C1, 0x049753, 0x064B48, 0x66A53C, 0x0EA54F, 0x06B244, 0x4AB638, 0x0AAE4C, 0x092E42,  // 2051
    0x3C9735, 0x0C9649, 0x7D4ABD, 0x0D4A51, 0x0DA545, 0x55AABA, 0x056A4E, 0x0A6D43, 0x452EB7, 0x052D4B,  // 2061
    0x8A95BF, 0x0A9553, 0x0B4A47, 0x6B553B, 0x0AD54F, 0x055A45, 0x4A5D38, 0x0A5B4C, 0x052B42, 0x3A93B6,  // 2071
    0x069349, 0x7729BD, 0x06AA51, 0x0AD546, 0x54DABA, 0x04B64E, 0x0A5743, 0x452738, 0x0D164A, 0x8E933E,  // 2081
    0x0D5252, 0x0DAA47, 0x66B53B, 0x056D4F, 0x04AE45, 0x4A4EB9, 0x0A2D4C, 0x0D1541, 0x2D92B5,            // 2091
};

// The lunar months before lunar 1901 that a January 1901 page still shows:
// month 11 of lunar 1900 begins on 22 Dec 1900 (29 days), month 12 on
// 20 Jan 1901 (30 days), and lunar 1901 begins on 19 Feb 1901.
constexpr int kLunar1900Month11Length = 29;
constexpr int kLunar1900Month12Length = 30;

std::int64_t NewYearSerial(const LunarYearInfo& info, int lunarYear) {
    return SerialFromCivil(lunarYear, info.newYearMonth, info.newYearDay);
}

// Walks the months of one lunar year forward from its first day; `offset` days
// after the new year (offset >= 0). Past the year's end it stops on its last day.
LunarDate WalkForward(const LunarYearInfo& info, int lunarYear, std::int64_t offset) {
    int index = 0;
    while (offset >= info.monthLengths[index]) {
        if (index + 1 == info.monthCount) {
            offset = info.monthLengths[index] - 1;
            break;
        }
        offset -= info.monthLengths[index];
        ++index;
    }
    LunarDate result;
    result.year = lunarYear;
    // Month positions after the leap month are one ahead of their numbers.
    const bool afterLeap = info.leapMonth != 0 && index >= info.leapMonth;
    result.month = afterLeap ? index : index + 1;
    result.isLeap = (info.leapMonth != 0 && index == info.leapMonth) ? 1 : 0;
    result.day = static_cast<int>(offset) + 1;
    return result;
}

LunarDate Lunar1900(std::int64_t daysBeforeNewYear1901) {
    LunarDate result;
    result.year = 1900;
    std::int64_t r = daysBeforeNewYear1901;  // >= 1
    if (r <= kLunar1900Month12Length) {
        result.month = 12;
        result.day = static_cast<int>(kLunar1900Month12Length - r + 1);
        return result;
    }
    r -= kLunar1900Month12Length;
    result.month = 11;
    result.day = r <= kLunar1900Month11Length ? static_cast<int>(kLunar1900Month11Length - r + 1) : 1;
    return result;
}

// Position of a month in its year's sequence (the leap month right after its
// namesake), or -1 when the year has no such month.
int MonthIndex(const LunarYearInfo& info, int month, bool leap) {
    if (month < 1 || month > 12) return -1;
    if (leap) return info.leapMonth == month ? month : -1;
    return info.leapMonth != 0 && month > info.leapMonth ? month : month - 1;
}

bool InLunarTable(int lunarYear) { return lunarYear >= kFirstLunarYear && lunarYear <= kLastLunarYear; }

}  // namespace

std::uint32_t LunarInfoValue(int lunarYear) {
    if (lunarYear < kFirstLunarYear) lunarYear = kFirstLunarYear;
    if (lunarYear > kLastLunarYear) lunarYear = kLastLunarYear;
    return kLunarInfo[lunarYear - kFirstLunarYear];
}

LunarYearInfo GetLunarYearInfo(int lunarYear) {
    const std::uint32_t v = LunarInfoValue(lunarYear);
    LunarYearInfo info{};
    info.newYearDay = static_cast<int>(v & 0x1F);
    info.newYearMonth = ((v >> 5) & 0x3) == 1 ? 1 : 2;
    info.leapMonth = static_cast<int>((v >> 20) & 0xF);
    info.monthCount = info.leapMonth != 0 ? 13 : 12;
    for (int k = 0; k < info.monthCount; ++k) {
        info.monthLengths[k] = ((v >> (19 - k)) & 1) ? 30 : 29;
    }
    return info;
}

// The date belongs to the lunar year whose new year is the last one on or
// before it: either the Gregorian year's own or the previous year's. Counting
// forward from that new year through the month lengths gives month and day.
// (Counting backward from the next new year gives the same answer, because
// each year's month lengths add up to the distance between its new years.)
LunarDate SolarToLunar(const Date& date) {
    const std::int64_t serial = date.serial();
    const int year = date.year();
    int lunarYear = year < kFirstLunarYear ? kFirstLunarYear : (year > kLastLunarYear ? kLastLunarYear : year);
    LunarYearInfo info = GetLunarYearInfo(lunarYear);
    std::int64_t newYear = NewYearSerial(info, lunarYear);
    if (serial < newYear) {
        if (lunarYear == kFirstLunarYear) return Lunar1900(newYear - serial);
        --lunarYear;
        info = GetLunarYearInfo(lunarYear);
        newYear = NewYearSerial(info, lunarYear);
    }
    return WalkForward(info, lunarYear, serial - newYear);
}

int LunarMonthDays(int lunarYear, int month, bool leap) {
    if (!InLunarTable(lunarYear)) return 0;
    const LunarYearInfo info = GetLunarYearInfo(lunarYear);
    const int index = MonthIndex(info, month, leap);
    return index < 0 ? 0 : info.monthLengths[index];
}

std::optional<Date> DateOfLunar(const LunarDate& lunar) {
    if (!InLunarTable(lunar.year) || lunar.day < 1) return std::nullopt;
    const LunarYearInfo info = GetLunarYearInfo(lunar.year);
    const int index = MonthIndex(info, lunar.month, lunar.isLeap != 0);
    if (index < 0 || lunar.day > info.monthLengths[index]) return std::nullopt;
    std::int64_t serial = NewYearSerial(info, lunar.year) + lunar.day - 1;
    for (int k = 0; k < index; ++k) serial += info.monthLengths[k];
    // Lunar 2099 runs into 2100, past the last date the calendar shows.
    const std::optional<Date> date = Date::FromSerial(serial);
    if (!date || date->year() > kLastLunarYear) return std::nullopt;
    return date;
}

std::optional<Date> LunarToSolar(int lunarYear, int month, int day) {
    return DateOfLunar(LunarDate{lunarYear, month, day, 0});
}

bool IsYearlyLunarDay(const LunarDate& date, int month, int day, bool leapMonth) {
    if (!leapMonth) return IsYearlyLunarDay(date, month, day);
    if (date.month != month || date.day != day) return false;
    const bool yearHasIt = InLunarTable(date.year) && GetLunarYearInfo(date.year).leapMonth == month;
    return date.isLeap == (yearHasIt ? 1 : 0);
}

std::vector<int> YearsWithLeapMonth(int month, int from, int to) {
    std::vector<int> years;
    for (int year = std::max(from, kFirstLunarYear); year <= std::min(to, kLastLunarYear); ++year) {
        if (GetLunarYearInfo(year).leapMonth == month) years.push_back(year);
    }
    return years;
}

std::vector<int> MonthsThatCanBeLeap() {
    // The table never changes: read once.
    static const std::vector<int> months = [] {
        std::vector<int> found;
        for (int month = 1; month <= 12; ++month) {
            if (!YearsWithLeapMonth(month, kFirstLunarYear, kLastLunarYear).empty()) found.push_back(month);
        }
        return found;
    }();
    return months;
}
