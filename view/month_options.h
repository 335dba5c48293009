// What a month is drawn with: the template's two files and the switches of
// the settings that shape the picture, the balloons and the forenotice list.
// The program makes it from its settings and hands it to each rebuild.
#pragma once

#include <filesystem>
#include <string>

#include "notices/forenotice.h"

struct MonthOptions {
    std::filesystem::path backgroundPath;
    int dpi = 96;  // of the monitor the window is on
    std::filesystem::path configPath;
    // The shipped template, shown in place of a damaged one (empty: none).
    std::filesystem::path fallbackBackgroundPath;
    std::filesystem::path fallbackConfigPath;
    bool showToday = true;           // ring around today
    int firstColWeekDay = 7;         // 1 Monday ... 7 Sunday
    int listForDays = 30;            // forenotice horizon; -1 none
    bool showBalloonAlmanac = true;  // almanac block in the balloons
    bool showBalloon = true;         // balloons over the day cells
    bool lockLocation = false;       // the window cannot be dragged
    bool showPublicHolidays = true;  // 休 / 班 of the holiday schedule, the next holiday in the list
    ForenoticeSwitches forenotice;
};

// How the month window sits among the others (WindowStyle of the settings).
enum class WindowStyle { kUnchanged, kNormal, kEmbedded };
