#include "view/tray_tip.h"

#include "calendar/calendar_texts.h"
#include "calendar/date_readings.h"
#include "calendar/lunar_calendar.h"

std::string TrayTipText(const Date& today, const std::string& productName) {
    const LunarDate lunar = SolarToLunar(today);
    const std::string date = SolarDateText(today) + " 星期" + WeekdayName(today.weekday()) + " 旧历" +
                             LunarMonthDayText(lunar) + " " + LunarYearGanZhiName(lunar.year) + "年";
    return productName.empty() ? date : productName + "\n" + date;
}
