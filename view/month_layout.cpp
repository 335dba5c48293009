#include "view/month_layout.h"

#include <algorithm>
#include <cstdio>

#include "calendar/calendar_texts.h"
#include "festivals/festival_cell_names.h"
#include "holidays/holiday_announcements.h"
#include "holidays/holiday_schedule_texts.h"
#include "view/balloon_text.h"
#include "view/cell_text_fit.h"
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

const TextStyle& BadgeStyle(const OffDayBadgeStyle& badge, const OffDay& day) {
    if (day.kind == OffDayKind::kWork) return badge.workStyle;
    return day.statutory ? badge.statutoryStyle : badge.offStyle;
}

// A day off has its number in the template's festival colour, like a red day
// of a wall calendar; a Saturday or Sunday the look the template gives it,
// unless it is a make-up working day, which looks like any working day.
TextStyle DayNumberStyle(const SkinTemplate& skin, const Date& date, const OffDay* offDay) {
    if (offDay && offDay->kind == OffDayKind::kOff) {
        TextStyle style = skin.dayStyle;
        style.color = skin.festivalStyle.color;
        return style;
    }
    if (offDay && offDay->kind == OffDayKind::kWork) return skin.dayStyle;
    constexpr int kSaturday = 6, kSunday = 7;
    if (date.weekday() == kSaturday) return skin.saturdayStyle;
    if (date.weekday() == kSunday) return skin.sundayStyle;
    return skin.dayStyle;
}

// A cell's second line, a little smaller or cut before "…" where it would
// not fit the cell.
void AddCellText(DisplayList& display, TextRole role, const std::string& text, const Rect& box,
                 const TextStyle& style) {
    if (text.empty()) return;
    FittedText fitted = FitText(text, style.size, SmallestCellTextSize(style.size), box.Width());
    DisplayText item{std::move(fitted.text), box, style, HorizontalAlignment::kCenter, role};
    if (fitted.size != style.size) {
        item.templateSize = style.size;
        item.style.size = fitted.size;
    }
    display.items.push_back(std::move(item));
}

// The festival a cell names. The first day of a lunar month keeps the
// month's name unless a festival announced in the notice (a major one, such
// as 春节) falls on it: an observance that is only listed must not hide the
// start of a month, a leap month's above all.
const FestivalRule* CellFestival(const DayInfo& info) {
    if (info.festivals.empty()) return nullptr;
    if (info.lunar.day != 1) return &info.festivals.front();
    for (const FestivalRule& festival : info.festivals) {
        if (festival.showReminderWindow == "1") return &festival;
    }
    return nullptr;
}

// Festival first, then solar term, then the lunar day (the month's name on
// its first day).
void AddSecondLine(DisplayList& display, const SkinTemplate& skin, const DayInfo& info, const Rect& box) {
    if (const FestivalRule* festival = CellFestival(info)) {
        AddCellText(display, TextRole::kFestival, CellNameOf(festival->name), box, skin.festivalStyle);
    } else if (!info.solarTerm.empty()) {
        AddCellText(display, TextRole::kSolarTerm, info.solarTerm, box, skin.solarTermStyle);
    } else {
        AddCellText(display, TextRole::kLunarDay, LunarCellText(info.lunar.month, info.lunar.day, info.lunar.isLeap),
                    box, skin.secondLineStyle);
    }
}

// A line of the list that runs past the area's right edge ends in "…".
void AddListLine(DisplayList& display, TextRole role, const std::string& text, const Rect& box,
                 const SkinTemplate& skin) {
    const int size = skin.listItemStyle.size;
    AddText(display, role, FitText(text, size, size, box.Width()).text, box, skin.listItemStyle, skin.listAlignment);
}

// The marks' badges take the corner across from the 休 / 班 badge, so that a
// day of leave on a 班 Saturday shows both.
OffDayBadgeStyle MarkBadgeStyle(const OffDayBadgeStyle& offDay, DayMark mark) {
    OffDayBadgeStyle style = offDay;
    // Left and right are the lowest bit of a corner's number (0 top left, 1
    // top right, 2 bottom left, 3 bottom right): the same row, the other side.
    style.corner = static_cast<BadgeCorner>(static_cast<int>(offDay.corner) ^ 1);
    style.offsetX = -offDay.offsetX;
    style.offStyle.color = DayMarkBadgeColor(mark);
    return style;
}

// Round the whole number, taller than its box, so that the stroke crosses no
// digit of a two-digit day; still inside the cell's width, and larger than
// today's ring, so that both show when the day gone to is today.
Rect GoneToRingBox(const Rect& numberBox) {
    const int width = numberBox.right - numberBox.left;
    const int height = numberBox.bottom - numberBox.top;
    const Rect today = TodayRingBox(numberBox);
    const int side = std::max(std::min(width, height * 3 / 2), today.right - today.left + 6);
    const int left = numberBox.left + (width - side) / 2;
    const int top = numberBox.top + (height - side) / 2;
    return Rect{left, top, left + side, top + side};
}

void LayOutMarks(const SkinTemplate& skin, const DayMarks* marks, const Date& date, const DayCellBoxes& boxes,
                 MonthLayout& layout) {
    const DayMark* mark = marks ? marks->Find(date) : nullptr;
    if (mark && *DayMarkBadgeText(*mark)) {
        const OffDayBadgeStyle style = MarkBadgeStyle(skin.offDayBadge, *mark);
        AddText(layout.display, TextRole::kMarkBadge, DayMarkBadgeText(*mark), OffDayBadgeBox(boxes.cell, style),
                style.offStyle);
    }
    if (marks && marks->ringed == date) {
        layout.display.items.push_back(DisplayEllipse{GoneToRingBox(boxes.number), skin.focusRingColor, 3});
    }
}

void LayOutGrid(const SkinTemplate& skin, const MonthLayoutRequest& request, DayInfoSource& days, MonthLayout& layout) {
    const MonthGrid grid = ComputeMonthGrid(*skin.body, skin.weekdayRowHeight, request.month, request.firstColWeekDay);
    for (int column = 0; column < 7; ++column) {
        AddText(layout.display, TextRole::kWeekday, WeekdayName(WeekdayOfColumn(column, request.firstColWeekDay)),
                WeekdayHeaderBox(grid, column), skin.weekdayStyle);
    }
    for (const Date date : request.month.Days()) {
        const int day = date.day();
        const DayCellBoxes boxes = DayCellBoxesOf(grid, day);
        DayInfo info = days.GetDayInfo(date, kWholeDay);
        const bool isToday = request.showToday && date == request.today;
        const OffDay* offDay = request.offDays ? request.offDays->Find(date) : nullptr;

        layout.cells[day] = boxes.cell;
        // The band goes under everything else of the cell.
        if (const DayMark* mark = request.marks ? request.marks->Find(date) : nullptr) {
            const Rect& cell = boxes.cell;
            layout.display.items.push_back(DisplayBand{
                Rect{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1}, DayMarkBandColor(*mark)});
        }
        const TextStyle numberStyle = isToday ? skin.todayStyle : DayNumberStyle(skin, date, offDay);
        AddText(layout.display, isToday ? TextRole::kTodayNumber : TextRole::kDayNumber, Decimal(day), boxes.number,
                numberStyle);
        AddSecondLine(layout.display, skin, info, boxes.secondLine);
        if (offDay) {
            AddText(layout.display, TextRole::kOffDayBadge, OffDayBadgeText(offDay->kind),
                    OffDayBadgeBox(boxes.cell, skin.offDayBadge), BadgeStyle(skin.offDayBadge, *offDay));
            layout.offDays[day] = *offDay;
        }
        LayOutMarks(skin, request.marks, date, boxes, layout);
        if (isToday) {
            layout.display.items.push_back(DisplayEllipse{TodayRingBox(boxes.number), skin.todayEllipseColor, 4});
        }
        if (!info.reminders.empty()) {
            layout.display.items.push_back(DisplayDot{ReminderDotBox(boxes.number), skin.reminderFlagColor});
        }
        layout.days[day] = std::move(info);
    }
}

// One line per day that has something to announce, from today on, until the
// horizon ends or the next line would cross the bottom of the list area.
// A month of a year whose holiday schedule is not out says so once, on the
// list's first line, as only the law's days off are marked.
void LayOutForenotice(const SkinTemplate& skin, const MonthLayoutRequest& request, DayInfoSource& days,
                      MonthLayout& layout) {
    std::optional<Rect> listArea = skin.listArea;
    const int year = request.month.year();
    if (listArea && request.offDays && request.offDays->StatutoryOnly(year) &&
        listArea->top + skin.listItemHeight <= listArea->bottom) {
        const Rect first{listArea->left, listArea->top, listArea->right, listArea->top + skin.listItemHeight};
        AddListLine(layout.display, TextRole::kScheduleNote, UnpublishedScheduleNote(year), first, skin);
        listArea->top = first.bottom;
    }
    std::vector<ForenoticeAnnouncement> announcements;
    if (request.offDays && request.forenotice.showHolidays) {
        announcements = NextHolidayAnnouncements(*request.offDays, request.today);
    }
    for (ForenoticeLine& line : BuildForenoticeLines(request.today, listArea, skin.listItemHeight, request.listForDays,
                                                     request.forenotice, days, announcements)) {
        AddListLine(layout.display, TextRole::kListItem, line.text, line.box, skin);
    }
}

}  // namespace

MonthLayout LayOutMonth(const SkinTemplate& skin, const MonthLayoutRequest& request, DayInfoSource& days) {
    MonthLayout layout;
    layout.display.backgroundPath = skin.backgroundPath;
    layout.today = request.today;
    layout.almanacInBalloon = request.showBalloonAlmanac;
    if (skin.yearBox) {
        AddText(layout.display, TextRole::kYear, Decimal(request.month.year()), *skin.yearBox, skin.yearStyle);
    }
    if (skin.monthBox) {
        AddText(layout.display, TextRole::kMonth, Decimal(request.month.month()), *skin.monthBox, skin.monthStyle);
    }
    if (skin.body) LayOutGrid(skin, request, days, layout);
    LayOutForenotice(skin, request, days, layout);
    return layout;
}

std::string BalloonTextOf(const MonthLayout& layout, int day) {
    const auto info = layout.days.find(day);
    if (info == layout.days.end()) return std::string();
    const auto offDay = layout.offDays.find(day);
    return BalloonText(info->second, layout.almanacInBalloon,
                       offDay == layout.offDays.end() ? nullptr : &offDay->second, &layout.today);
}

int DayAt(const std::map<int, CellRect>& cells, int x, int y) {
    for (const auto& [day, cell] : cells) {
        if (x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom) return day;
    }
    return 0;
}
