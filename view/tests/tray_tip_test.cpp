#include "view/tray_tip.h"

#include <gtest/gtest.h>

#include "tests/support/dates.h"

namespace {

TEST(TrayTipText, NamesTheProgramThenTodayWithItsLunarDateAndYear) {
    const struct {
        Date today;
        const char* tip;
    } kDays[] = {
        {D(2026, 12, 8), "Tavro日历\n2026年12月8日 星期二 旧历十月三十 丙午年"},
        // The lunar year, not the Gregorian one, names the year until 正月初一.
        {D(2027, 2, 5), "Tavro日历\n2027年2月5日 星期五 旧历腊月廿九 丙午年"},
        {D(2027, 2, 6), "Tavro日历\n2027年2月6日 星期六 旧历正月初一 丁未年"},
        {D(2028, 6, 27), "Tavro日历\n2028年6月27日 星期二 旧历闰五月初五 戊申年"},
    };
    for (const auto& day : kDays) EXPECT_EQ(TrayTipText(day.today, "Tavro日历"), day.tip) << day.tip;
    // Well within the 127 characters a tray tip holds.
    EXPECT_LT(TrayTipText(D(2026, 12, 31), "Tavro日历").size(), 127u);
}

}  // namespace
