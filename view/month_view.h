// The month view of the calendar window: which month is shown with which
// template and switches, and what the last rebuild placed. The window paints
// `display()` (see view/win/display_list_renderer.h), installs one balloon
// region per cell, asks for a cell's text when its balloon is about to show
// (`BalloonTextOf`), and answers clicks from `cells()`/`days()`.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "view/month_layout.h"
#include "view/month_options.h"
#include "view/skin_template.h"

class MonthView {
public:
    using Clock = std::function<Date()>;  // the local date

    // days: the calendar window's day information, which must outlive the
    // view.
    MonthView(DayInfoSource& days, FontFamilyQuery fontFamilies, Clock today);

    // The holiday schedule, owned by whoever loaded it; shown when
    // the options say so (ShowPublicHolidays).
    const HolidaySchedule* offDays = nullptr;
    // What the planning dialogs mark, owned by whoever marks; shown as it is
    // at each rebuild.
    const DayMarks* marks = nullptr;

    // Reads the template again if its files changed and lays out the month
    // anew; everything of the previous rebuild is replaced. A damaged
    // template, or one without a picture, is replaced by the options'
    // fallback, when it has one.
    void Rebuild(const MonthOptions& options, const YearMonth& month);

    const YearMonth& month() const { return month_; }
    const MonthOptions& options() const { return options_; }

    const SkinTemplate& skin() const { return skin_; }
    int templateReads() const { return templates_.reads() + fallbackTemplates_.reads(); }
    // Whether the chosen template was damaged at the last rebuild, and
    // whether the fallback (itself sound) is shown in its place (also for a
    // template that is simply not there).
    bool templateDamaged() const { return templateDamage_ != SkinDamage::kNone; }
    SkinDamage templateDamage() const { return templateDamage_; }
    bool showsFallback() const { return showsFallback_; }
    const Rect& yearBack() const { return skin_.yearBack; }
    const Rect& yearNext() const { return skin_.yearNext; }
    const Rect& monthBack() const { return skin_.monthBack; }
    const Rect& monthNext() const { return skin_.monthNext; }
    const Rect& todaySpot() const { return skin_.today; }
    // Whether the point lies on the header's year or month number, which
    // brings today back when clicked.
    bool HeaderTextAt(int x, int y) const;

    const DisplayList& display() const { return layout_.display; }
    // The display list of `month` as a rebuild on `day` would lay it out,
    // with the options and the template of the last rebuild; the view itself
    // stays as it is. For drawing ahead the texts of the next day's month.
    DisplayList DisplayOn(const YearMonth& month, const Date& day) const;
    const std::map<int, CellRect>& cells() const { return layout_.cells; }
    const std::map<int, DayInfo>& days() const { return layout_.days; }
    // The balloon text of a day of the month shown, made now ("" for none).
    std::string BalloonTextOf(int day) const { return ::BalloonTextOf(layout_, day); }
    const std::map<int, OffDay>& offDayCells() const { return layout_.offDays; }
    // The day under a point of the window, 0 for none.
    int DayAt(int x, int y) const { return ::DayAt(layout_.cells, x, y); }

private:
    MonthLayoutRequest RequestFor(const YearMonth& month, const Date& today) const;

    DayInfoSource& days_;
    FontFamilyQuery fontFamilies_;
    Clock today_;

    YearMonth month_;
    MonthOptions options_;
    SkinTemplateCache templates_;
    // Kept apart, so that a damaged template and its fallback are each read
    // once and not in turn at every rebuild.
    SkinTemplateCache fallbackTemplates_;
    SkinTemplate skin_;
    SkinTemplate laidSkin_;  // as the last layout read it, at 96 DPI
    SkinDamage templateDamage_ = SkinDamage::kNone;
    bool showsFallback_ = false;
    MonthLayout layout_;
};
