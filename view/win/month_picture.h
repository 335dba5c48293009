// One rebuild of the month window's content: the finished picture and, per
// day, what the window needs for hit tests, the day menu and the balloon.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <memory>

#include "view/calendar_menus.h"
#include "view/display_list.h"
#include "view/win/balloon_tooltip.h"
#include "view/win/layered_surface.h"

// The data the month is computed from, loaded when the window is created:
// festivals, memos and the almanac database.
class AlmanacDatabase;

class MonthSources {
public:
    MonthSources();
    ~MonthSources();

    // Missing files leave their part empty; nothing is reported.
    void Load(const std::string& moduleFolder, const std::string& databasePath);
    void ReloadFestivals();
    void ReloadReminders();
    void Close();

    AlmanacDatabase& database() { return *database_; }

private:
    std::string moduleFolder_;
    std::unique_ptr<AlmanacDatabase> database_;
};

struct MonthRequest {
    std::string backgroundPath;  // GBK paths of the template's two files
    std::string configPath;
    int year = 0;
    int month = 0;
    int showToday = 1;
    int firstColWeekDay = 7;
    int listForDays = 30;
    int showAlmanac = 1;
    std::string settingsFile;  // some switches are read at every rebuild
};

struct DayFacts {
    DisplayRect cell;
    std::vector<std::string> festivalNames;  // GBK, in the order of the festival file
    std::string solarTerm;
    std::string balloonText;
};

struct MonthPicture {
    LayeredSurface surface;  // empty when the background picture cannot be loaded
    HotSpots hotSpots;
    BalloonLook balloonLook;
    std::map<int, DayFacts> days;  // day of month -> its cell and facts
};

MonthPicture ComposeMonthPicture(const MonthRequest& request, MonthSources& sources);

// Opens the help page of a festival or solar term named in the day menu.
void OpenDayItemHelp(const std::string& name);
