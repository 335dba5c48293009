// The month view of the calendar window: which month is shown with which
// template and switches, and what the last rebuild placed. The window paints
// `display()` (see view/win/display_list_renderer.h), installs one balloon
// region per cell with its text, and answers clicks from `cells()`/`days()`.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "view/month_layout.h"
#include "view/skin_template.h"

class MonthView {
public:
    using Clock = std::function<CivilDate()>;  // the local date

    // days: the calendar window's day information, which must outlive the
    // view. settingsFile: Solvane.ini, from which the two forenotice switches
    // are read at every rebuild.
    MonthView(DayInfoSource& days, FontFamilyQuery fontFamilies, Clock today, std::string settingsFile);

    // Set by the program from its settings before it calls Rebuild.
    int showAlmanac = 1;   // ShowHuangLiOnBalloonToolTip
    int showBalloon = 1;   // ShowBalloonTip
    int listForDays = 30;  // ListForDays
    int lockLocation = 0;  // LockLocation

    // Reads the template again and lays out the month anew; everything of the
    // previous rebuild is replaced.
    void Rebuild(const std::string& backgroundPath, const std::string& configPath, int year, int month, int showToday,
                 int firstColWeekDay);

    int year() const { return year_; }
    int month() const { return month_; }
    int showToday() const { return showToday_; }
    int firstColWeekDay() const { return firstColWeekDay_; }
    const std::string& backgroundPath() const { return backgroundPath_; }
    const std::string& configPath() const { return configPath_; }

    const SkinTemplate& skin() const { return skin_; }
    const Rect& yearBack() const { return skin_.yearBack; }
    const Rect& yearNext() const { return skin_.yearNext; }
    const Rect& monthBack() const { return skin_.monthBack; }
    const Rect& monthNext() const { return skin_.monthNext; }

    const DisplayList& display() const { return layout_.display; }
    const std::map<int, CellRect>& cells() const { return layout_.cells; }
    const std::map<int, DayInfo>& days() const { return layout_.days; }
    const std::map<int, std::string>& balloonTexts() const { return layout_.balloonTexts; }
    // The day under a point of the window, 0 for none.
    int DayAt(int x, int y) const { return ::DayAt(layout_.cells, x, y); }

private:
    DayInfoSource& days_;
    FontFamilyQuery fontFamilies_;
    Clock today_;
    std::string settingsFile_;

    int year_ = 0;
    int month_ = 0;
    int showToday_ = 1;
    int firstColWeekDay_ = 7;
    std::string backgroundPath_;
    std::string configPath_;
    SkinTemplate skin_;
    MonthLayout layout_;
};
