#include "view/month_layout.h"

#include <cstdio>

#include "calendar/calendar_texts.h"
#include "view/balloon_text.h"
#include "view/month_grid.h"

namespace {

std::string Decimal(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

void AddText(DisplayList& display, TextRole role, std::string text, const Rect& box, const TextStyle& style,
             HorizontalAlignment alignment = HorizontalAlignment::kCenter) {
    if (text.empty()) return;
    display.items.push_back(DisplayText{std::move(text), box, style, alignment, role});
}

// Festival first, then solar term, then the lunar day (the month's name on
// its first day).
void AddSecondLine(DisplayList& display, const SkinTemplate& skin, const DayInfo& info, const Rect& box) {
    if (!info.festivals.empty()) {
        AddText(display, TextRole::kFestival, info.festivals.front().name, box, skin.festivalStyle);
    } else if (!info.SolarTerm.empty()) {
        AddText(display, TextRole::kSolarTerm, info.SolarTerm, box, skin.solarTermStyle);
    } else {
        int year = 0, month = 0, day = 0;
        if (std::sscanf(info.lunarDate.c_str(), "%d-%d-%d", &year, &month, &day) == 3) {
            AddText(display, TextRole::kLunarDay, LunarCellText(month, day), box, skin.secondLineStyle);
        }
    }
}

void LayOutGrid(const SkinTemplate& skin, const MonthLayoutRequest& request, DayInfoSource& days, MonthLayout& layout) {
    const MonthGrid grid =
        ComputeMonthGrid(*skin.body, skin.weekdayRowHeight, request.year, request.month, request.firstColWeekDay);
    for (int column = 0; column < 7; ++column) {
        AddText(layout.display, TextRole::kWeekday, WeekdayName(WeekdayOfColumn(column, request.firstColWeekDay)),
                WeekdayHeaderBox(grid, column), skin.weekdayStyle);
    }
    const bool monthHoldsToday =
        request.showToday && request.today.year == request.year && request.today.month == request.month;
    for (int day = 1; day <= grid.daysInMonth; ++day) {
        const DayCellBoxes boxes = DayCellBoxesOf(grid, day);
        DayInfo info = days.GetDayInfo(request.year, request.month, day, true, true, true);
        const bool isToday = monthHoldsToday && request.today.day == day;
        const OffDay* offDay = request.offDays ? request.offDays->Find(request.year, request.month, day) : nullptr;

        layout.cells[day] = boxes.cell;
        layout.balloonTexts[day] = BalloonText(info, request.showAlmanac != 0, offDay);
        // A day off has its number in the template's festival colour, like a
        // red day of a wall calendar; today's colours still win on today.
        TextStyle numberStyle = isToday ? skin.todayStyle : skin.dayStyle;
        if (offDay && offDay->kind == OffDayKind::kOff && !isToday) numberStyle.color = skin.festivalStyle.color;
        AddText(layout.display, isToday ? TextRole::kTodayNumber : TextRole::kDayNumber, Decimal(day), boxes.number,
                numberStyle);
        AddSecondLine(layout.display, skin, info, boxes.secondLine);
        if (offDay) {
            const OffDayBadgeStyle& badge = skin.offDayBadge;
            AddText(layout.display, TextRole::kOffDayBadge, OffDayBadgeText(offDay->kind),
                    OffDayBadgeBox(boxes.cell, badge),
                    offDay->kind == OffDayKind::kOff ? badge.offStyle : badge.workStyle);
            layout.offDays[day] = *offDay;
        }
        if (isToday) {
            layout.display.items.push_back(DisplayEllipse{TodayRingBox(boxes.number), skin.todayEllipseColor, 4});
        }
        if (!info.reminders.empty()) {
            layout.display.items.push_back(DisplayDot{MemoDotBox(boxes.number), skin.reminderFlagColor});
        }
        layout.days[day] = std::move(info);
    }
}

// One line per day that has something to announce, from today on, until the
// horizon ends or the next line would cross the bottom of the list area.
void LayOutForenotice(const SkinTemplate& skin, const MonthLayoutRequest& request, DayInfoSource& days,
                      MonthLayout& layout) {
    const SystemTime today = MakeDate(request.today.year, request.today.month, request.today.day);
    std::vector<ForenoticeAnnouncement> announcements;
    if (request.offDays && request.forenotice.showHolidays) {
        announcements = NextHolidayAnnouncements(*request.offDays, request.today);
    }
    for (ForenoticeLine& line : BuildForenoticeLines(today, skin.listArea, skin.listItemHeight, request.listForDays,
                                                     request.forenotice, days, announcements)) {
        AddText(layout.display, TextRole::kListItem, std::move(line.text), line.box, skin.listItemStyle,
                skin.listAlignment);
    }
}

}  // namespace

MonthLayout LayOutMonth(const SkinTemplate& skin, const MonthLayoutRequest& request, DayInfoSource& days) {
    MonthLayout layout;
    layout.display.backgroundPath = skin.backgroundPath;
    if (skin.yearBox) AddText(layout.display, TextRole::kYear, Decimal(request.year), *skin.yearBox, skin.yearStyle);
    if (skin.monthBox) {
        AddText(layout.display, TextRole::kMonth, Decimal(request.month), *skin.monthBox, skin.monthStyle);
    }
    if (skin.body) LayOutGrid(skin, request, days, layout);
    LayOutForenotice(skin, request, days, layout);
    return layout;
}

std::vector<ForenoticeAnnouncement> NextHolidayAnnouncements(const OffDaySchedule& schedule, const CivilDate& today) {
    const std::int64_t todaySerial = SerialFromCivil(today.year, today.month, today.day);
    for (const HolidayPeriod& period : HolidayPeriods(schedule)) {
        if (SerialFromCivil(period.last.year, period.last.month, period.last.day) < todaySerial) continue;
        const int offset =
            static_cast<int>(SerialFromCivil(period.first.year, period.first.month, period.first.day) - todaySerial);
        std::vector<ForenoticeAnnouncement> lines{{offset, HolidayPeriodText(period)}};
        const std::string workDays = HolidayWorkDaysText(period);
        if (!workDays.empty()) lines.push_back({offset, workDays});
        return lines;
    }
    return {};
}

int DayAt(const std::map<int, CellRect>& cells, int x, int y) {
    for (const auto& [day, cell] : cells) {
        if (x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom) return day;
    }
    return 0;
}
