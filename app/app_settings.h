// The program's settings: section [Ostrel] of Solvane.ini beside the executable.
//
// Most keys are read at start-up and again after the settings dialog
// (`LoadAppSettings`). The switches that govern notices and the forenotice list
// are read straight from the file each time they matter (`ReadSwitchNow`), so
// a hand edit of the file takes effect for them without a restart.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "export/ics_file.h"
#include "notices/forenotice.h"
#include "notices/notices.h"
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
inline constexpr char kTrayClickShowsCalendarKey[] = "TrayClickShowsCalendar";
inline constexpr char kFollowSystemDarkModeKey[] = "FollowSystemDarkMode";
// The calendar sync (its password is kept by Windows, never in the file).
inline constexpr char kSyncServerKey[] = "SyncServer";
inline constexpr char kSyncUserKey[] = "SyncUser";
inline constexpr char kSyncCalendarKey[] = "SyncCalendar";
inline constexpr char kSyncFestivalsKey[] = "SyncFestivals";
inline constexpr char kSyncBirthdaysKey[] = "SyncBirthdays";
inline constexpr char kSyncAnniversariesKey[] = "SyncAnniversaries";
inline constexpr char kSyncRemindersKey[] = "SyncReminders";
inline constexpr char kSyncYearsKey[] = "SyncYears";
// 保持更新 of the export dialog: the calendar file written anew after each
// save, and the choices it is written with.
inline constexpr char kKeepCalendarFileUpdatedKey[] = "KeepCalendarFileUpdated";
inline constexpr char kCalendarFileKey[] = "CalendarFile";
inline constexpr char kCalendarFileYearsKey[] = "CalendarFileYears";
inline constexpr char kCalendarFileFestivalsKey[] = "CalendarFileFestivals";
inline constexpr char kCalendarFileOwnFestivalsOnlyKey[] = "CalendarFileOwnFestivalsOnly";
inline constexpr char kCalendarFileRemindersKey[] = "CalendarFileReminders";
inline constexpr char kCalendarFileSolarTermsKey[] = "CalendarFileSolarTerms";

// What the month and the tray show while Windows' apps use the dark theme
// (with FollowSystemDarkMode on): the shipped night look.
inline constexpr char kDarkTemplateName[] = "Night";
inline constexpr char kDarkTrayTemplateName[] = "NightMoon";

// The forenotice horizon the settings dialog offers; larger hand-set values are
// cut to kMaxListForDays so one rebuild never walks through years of days.
inline constexpr int kNoForenoticeList = -1;
inline constexpr int kMaxListForDays = 3660;

// The values the program takes from the keys; a new one holds every key's
// default (the table below says which).
struct AppSettings {
    AppSettings();

    bool showBalloon;                // balloon over the day cells
    bool showBalloonAlmanac;         // almanac block in the balloon
    std::string templateName;        // folder under \Ostrel\Templates\ ("Template")
    bool showToday;                  // highlight today's cell
    int firstColWeekDay;             // 1 = Monday ... 7 = Sunday, taken modulo 7
    int listForDays;                 // -1 = no list, 0 = today only, n = next n days
    bool lockLocation;               // the month window cannot be dragged
    std::string systemTrayTemplate;  // name under \Ostrel\SystemTray\, no extension
    std::string windowStyle;         // "1" normal, "2" embedded in the desktop, else unchanged
    bool playSoundOnNotifyWindow;
    bool showNotifyWindowOnScreen;
    bool showJieQiOnRemindWindow;
    bool showJieQiOnForenotice;
    bool showReminderOnForenotice;
    bool showPublicHolidays;       // 休 / 班 of the holiday schedule on the month
    bool showHolidayOnForenotice;  // the next holiday in the forenotice list
    bool trayClickShowsCalendar;   // a left click on the tray icon shows or hides the month
    bool followSystemDarkMode;     // the night look while Windows' apps are dark
    std::string syncServer;        // the CalDAV address; empty: no sync
    std::string syncUser;
    std::string syncCalendar;                                             // the calendar's name on the server
    bool syncFestivals, syncBirthdays, syncAnniversaries, syncReminders;  // what is sent
    int syncYears;                                                        // of lunar dates, from this year on
    // 保持更新: the calendar file (GBK) and what goes into it.
    bool keepCalendarFileUpdated;
    std::string calendarFile;
    int calendarFileYears;  // from the year of each write on
    bool calendarFileFestivals;
    bool calendarFileOwnFestivalsOnly;
    bool calendarFileReminders;
    bool calendarFileSolarTerms;
};

// How a key is stored and read.
enum class SettingType {
    kSwitch,  // an integer; the dialog writes 1 or 0, any value but 0 is on; kept as a bool
    kNumber,  // an integer, held to the key's limits when read
    kText,    // text, its path macros expanded when read
};

// What the settings dialog offers in a list, each entry a text shown and a
// value stored.
// kTyped: no list, an edit box whose text is the value.
enum class SettingChoices {
    kNone,
    kSkinTemplates,
    kWindowTypes,
    kWeekdays,
    kForenoticeDays,
    kTrayTemplates,
    kSyncYears,
    kTyped
};

// One key of [Ostrel]: how it is stored, what the program takes from it, and
// how the settings dialog shows it.
struct SettingKey {
    const char* name;  // as stored
    SettingType type;
    int byDefault;                   // a missing switch or number
    int least, most;                 // numbers: one read outside is held to the nearer limit
    int AppSettings::*number;        // where the program keeps a number
    bool AppSettings::*flag;         // where it keeps a switch
    std::string AppSettings::*text;  // where it keeps a text
    int control;                     // the dialog's check box or list; 0 when the dialog has none
    bool shownTicked;                // the dialog's tick for a missing switch
    const char* enabledBy;           // the key whose box must be ticked for this box to mean something
    SettingChoices choices;          // the dialog's list
    // A missing text's value, and what the dialog shows for a missing text
    // or number of a list that has no empty entry; null: nothing.
    const char* shownText;
};

// Every key, in the order the settings dialog writes them, then those it does
// not show.
const std::vector<SettingKey>& SettingKeys();
// The key of that name, or null.
const SettingKey* FindSettingKey(std::string_view name);

// Every key, missing ones at their defaults.
AppSettings LoadAppSettings(const std::filesystem::path& settings_file);
// Whether the file is there but cannot be taken in (beyond kProfileFileLimit
// or unreadable): the program then runs with the defaults and cannot save.
bool IsSettingsFileDamaged(const std::filesystem::path& settings_file);

// Every key in one write of the whole file (other keys and sections kept);
// false on failure.
bool SaveAppSettings(const std::filesystem::path& settings_file, const AppSettings& settings);

// A switch read at its use, straight from the file, so that a hand edit
// takes effect without a restart.
bool ReadSwitchNow(const std::filesystem::path& settings_file, std::string_view key);
// The switches gathered for the code they govern.
ForenoticeSwitches ReadForenoticeSwitches(const std::filesystem::path& settings_file);
NoticeSwitches ReadNoticeSwitches(const std::filesystem::path& settings_file);

// What the month is drawn with: the settings' template under the program's
// folder, the switches read at start-up and after the settings dialog, and the
// forenotice switches as given (read from the file at each rebuild).
MonthOptions MonthOptionsFrom(const AppSettings& settings, const std::filesystem::path& module_folder,
                              const ForenoticeSwitches& forenotice);

// 保持更新 as the settings keep it, and back. A file whose path has no GBK
// form cannot be kept: false, and the settings stay as they were.
IcsSubscription IcsSubscriptionOf(const AppSettings& settings);
bool SetIcsSubscription(AppSettings& settings, const IcsSubscription& subscription);
// Writes 保持更新's keys alone, every other line of the file as it was; false
// when the path has no GBK form or the file cannot be written.
bool SaveIcsSubscription(const std::filesystem::path& settings_file, const IcsSubscription& subscription);

// The weekday of the first column, 1 = Monday ... 7 = Sunday; 0 (and any other
// multiple of 7) means Sunday, negative values count on modulo 7.
int FirstColumnWeekday(const AppSettings& settings);

WindowStyle WindowStyleOf(const AppSettings& settings);

// The settings as shown: with FollowSystemDarkMode on and Windows' apps dark,
// the night template and tray style in place of the chosen ones. Only what
// is shown changes; the stored choices come back when the desktop is light.
AppSettings ShownSettings(AppSettings settings, bool appsUseDarkTheme);
