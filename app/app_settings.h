// The program's settings: section [Ostrel] of Solvane.ini beside the executable.
//
// Most keys are read at start-up and again after the settings dialog
// (`LoadAppSettings`). The switches that govern notices and the forenotice list
// are read straight from the file each time they matter (the Read... functions
// below), so a hand edit of the file takes effect for them without a restart.
#pragma once

#include <string>
#include <string_view>

#include "reminders/forenotice.h"
#include "reminders/notices.h"
#include "view/month_options.h"

inline constexpr char kSettingsSection[] = "Ostrel";
// The month template shipped with the program, shown in place of a damaged one.
inline constexpr char kShippedTemplateName[] = "Default";

// Key names, as stored.
inline constexpr char kShowBalloonTipKey[] = "ShowBalloonTip";
inline constexpr char kShowHuangLiOnBalloonToolTipKey[] = "ShowHuangLiOnBalloonToolTip";
inline constexpr char kTemplateKey[] = "Template";
inline constexpr char kShowTodayKey[] = "ShowToday";
inline constexpr char kFirstColWeekDayKey[] = "FirstColWeekDay";
inline constexpr char kListForDaysKey[] = "ListForDays";
inline constexpr char kLockLocationKey[] = "LockLocation";
inline constexpr char kSystemTrayTemplateKey[] = "SystemTrayTemplate";
inline constexpr char kWindowStyleKey[] = "WindowStyle";
inline constexpr char kPlaySoundOnNotifyWindowKey[] = "PlaySoundOnNotifyWindow";
inline constexpr char kShowNotifyWindowOnScreenKey[] = "ShowNotifyWindowOnScreen";
inline constexpr char kShowJieQiOnRemindWindowKey[] = "ShowJieQiOnRemindWindow";
inline constexpr char kShowJieQiOnForenoticeKey[] = "ShowJieQiOnForenotice";
inline constexpr char kShowReminderOnForenoticeKey[] = "ShowReminderOnForenotice";
inline constexpr char kShowPublicHolidaysKey[] = "ShowPublicHolidays";
inline constexpr char kShowHolidayOnForenoticeKey[] = "ShowHolidayOnForenotice";

// The forenotice horizon the settings dialog offers; larger hand-set values are
// cut to kMaxListForDays so one rebuild never walks through years of days.
inline constexpr int kNoForenoticeList = -1;
inline constexpr int kMaxListForDays = 3660;

struct AppSettings {
    int showBalloonTip = 1;               // balloon over the day cells
    int showHuangLiOnBalloonToolTip = 1;  // almanac block in the balloon
    std::string templateName;             // folder under \Ostrel\Templates\ ("Template")
    int showToday = 1;                    // highlight today's cell
    int firstColWeekDay = 7;              // 1 = Monday ... 7 = Sunday, taken modulo 7
    int listForDays = 30;                 // -1 = no list, 0 = today only, n = next n days
    int lockLocation = 0;                 // the month window cannot be dragged
    std::string systemTrayTemplate;       // name under \Ostrel\SystemTray\, no extension
    std::string windowStyle;              // "1" normal, "2" embedded in the desktop, else unchanged
    int playSoundOnNotifyWindow = 1;
    int showNotifyWindowOnScreen = 1;
    int showJieQiOnRemindWindow = 0;
    int showJieQiOnForenotice = 0;
    int showReminderOnForenotice = 0;
    int showPublicHolidays = 1;        // 休 / 班 of the public-holiday schedule on the month
    int showHolidayOnForenotice = 1;   // the next public holiday in the forenotice list
};

// Every key, missing ones at their defaults.
AppSettings LoadAppSettings(const std::string& settings_file);
// Whether the file is there but cannot be taken in (beyond kProfileFileLimit
// or unreadable): the program then runs with the defaults and cannot save.
bool IsSettingsFileDamaged(const std::string& settings_file);

// What the settings dialog stores: the switches as integers, the names and the
// two numeric choices as text. One write of the whole file; false on failure.
bool SaveAppSettings(const std::string& settings_file, const AppSettings& settings);

// Read at each use, straight from the file.
bool ReadShowReminderOnForenotice(const std::string& settings_file);
bool ReadShowJieQiOnForenotice(const std::string& settings_file);
bool ReadShowHolidayOnForenotice(const std::string& settings_file);
bool ReadShowNotifyWindowOnScreen(const std::string& settings_file);
bool ReadShowJieQiOnRemindWindow(const std::string& settings_file);
bool ReadPlaySoundOnNotifyWindow(const std::string& settings_file);
// The same gathered for the code they govern.
ForenoticeSwitches ReadForenoticeSwitches(const std::string& settings_file);
NoticeSwitches ReadNoticeSwitches(const std::string& settings_file);

// What the month is drawn with: the settings' template under the program's
// folder, the switches read at start-up and after the settings dialog, and the
// forenotice switches as given (read from the file at each rebuild).
MonthOptions MonthOptionsFrom(const AppSettings& settings, std::string_view module_folder,
                              const ForenoticeSwitches& forenotice);

// The weekday of the first column, 1 = Monday ... 7 = Sunday; 0 (and any other
// multiple of 7) means Sunday, negative values count on modulo 7.
int FirstColumnWeekday(const AppSettings& settings);

WindowStyle WindowStyleOf(const AppSettings& settings);
