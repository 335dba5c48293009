// solvane-cli: prints months and days of the calendar for people and scripts.
//
//   solvane-cli                       this month and today
//   solvane-cli month YYYY-MM [--monday]
//   solvane-cli day YYYY-MM-DD           the day's balloon (almanac, festivals, memos)
//                                        and its whole 黄历 page
//   solvane-cli terms YYYY               the year's 24 solar terms
//   solvane-cli festivals                the festival file as the manager lists it
//   solvane-cli memos                    the memo file as the manager lists it
//   solvane-cli upcoming [YYYY-MM-DD]    the forenotice lines from today (or that
//                                        day) over the horizon of the settings
//   solvane-cli layout YYYY-MM [--template NAME] [--today YYYY-MM-DD] [--monday]
//                                        what the month window draws where, with
//                                        the template (default: the settings' one,
//                                        else Default) and switches of the settings
//   solvane-cli export-ics [--years N] [--own-festivals-only] [--no-memos] [--terms] [--out FILE]
//                                        festivals and memos as an iCalendar file
//                                        for phone and mail calendars, this year
//                                        and the next N-1 (default 11 years); to
//                                        standard output without --out
//   --db PATH                            the almanac database to read; by
//                                        default Ostrel/Database/china.mdb beside
//                                        the tool, else in the build's dist/
//   --festivals PATH                     the festival file to read; by default
//                                        Ostrel/holidays.cfg, found the same way
//   --memos PATH                         the memo file; by default
//                                        Reminders/reminders.cfg, found the same way
//   offdays                              the public-holiday schedule: the years
//                                        it covers, its holidays, skipped lines
//   --offdays PATH                       the schedule file; by default
//                                        Ostrel/offdays.cfg, found the same way
//   --ini PATH                           the settings file (forenotice horizon and
//                                        switches); by default Solvane.ini, likewise
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "almanac/almanac_database.h"
#include "app/app_settings.h"
#include "base/data_paths.h"
#include "base/file_system.h"
#include "calendar/lunar_calendar.h"
#include "festivals/off_days.h"
#include "festivals/shipped_festivals.h"
#include "reminders/forenotice.h"
#include "tools/cli/cli_views.h"
#include "tools/cli/console_output.h"
#include "tools/cli/executable_folder.h"
#include "tools/cli/layout_view.h"
#include "tools/cli/memo_views.h"
#include "view/balloon_text.h"
#include "view/ics_export.h"
#include "view/month_sources.h"
#include "view/month_view.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: solvane-cli [month YYYY-MM [--monday] | day YYYY-MM-DD | terms YYYY | festivals |\n"
                 "                    memos | upcoming [YYYY-MM-DD] | offdays |\n"
                 "                    layout YYYY-MM [--template NAME] [--today YYYY-MM-DD] [--monday] |\n"
                 "                    export-ics [--years N] [--own-festivals-only] [--no-memos] [--terms] [--out FILE]]\n"
                 "                   [--db PATH] [--festivals PATH] [--memos PATH] [--offdays PATH] [--ini PATH]\n"
                 "dates from 1901-01-01 to 2099-12-31\n");
    return 2;
}

bool InRange(int y, int m, int d) {
    return y >= kFirstLunarYear && y <= kLastLunarYear && m >= 1 && m <= 12 && d >= 1 && d <= 31;
}

void Today(int& y, int& m, int& d) {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    y = local->tm_year + 1900;
    m = local->tm_mon + 1;
    d = local->tm_mday;
}

// The installed layout keeps the data beside the program; a build keeps it in
// dist/ at the top of its build folder (the tool is in tools/cli/).
std::string DefaultDataFolder() {
    const std::string folder = ExecutableFolder();
    if (FileExists(AlmanacDatabasePath(folder))) return folder;
    return DataPath(folder, "\\..\\..\\dist");
}

// The balloon of the day with its almanac, then the day's whole 黄历 page.
std::string DayWithAlmanac(DayInfoSource& days, const OffDaySchedule& offDays, int y, int m, int d) {
    const std::string text = BalloonText(days.GetDayInfo(y, m, d, true, true, true), true, offDays.Find(y, m, d));
    // The almanac block ends in "\n\n "; a terminal wants a last newline.
    return (text.back() == '\n' ? text : text + "\n") + AlmanacPageView(y, m, d);
}

// Under a month: which years the holiday schedule covers, so that a month
// without 休 and 班 is not taken for one without holidays.
std::string OffDayCoverage(const OffDaySchedule* offDays, int year) {
    if (!offDays) return "";
    const std::string years = CoveredYearsText(*offDays);
    if (years.empty()) return "法定节假日安排：无\n";
    const std::vector<int> covered = offDays->CoveredYears();
    const bool has = std::binary_search(covered.begin(), covered.end(), year);
    return "法定节假日安排：" + years + "年" + (has ? "" : "（不含本年）") + "\n";
}

// The forenotice list of the settings, unbounded by any template's area.
std::string Upcoming(DayInfoSource& days, const OffDaySchedule* offDays, const std::string& settingsFile, int y,
                     int m, int d) {
    const int horizon = LoadAppSettings(settingsFile).listForDays;
    const Rect everything{0, 0, 0, 0x7fffffff};
    const ForenoticeSwitches switches = ReadForenoticeSwitches(settingsFile);
    std::vector<ForenoticeAnnouncement> announcements;
    if (offDays && switches.showHolidays) announcements = NextHolidayAnnouncements(*offDays, CivilDate{y, m, d});
    return UpcomingView(BuildForenoticeLines(MakeDate(y, m, d), everything, 1, horizon, switches, days, announcements));
}

// The month window's layout of a month, with the program's settings unless
// the arguments (after YYYY-MM) name a template, today's date or Monday first.
int Layout(DayInfoSource& days, const OffDaySchedule* offDays, const std::string& dataFolder,
           const std::string& settingsFile, int argc,
           char** argv) {
    int y = 0, m = 0;
    if (argc < 3 || std::sscanf(argv[2], "%d-%d", &y, &m) != 2 || !InRange(y, m, 1)) return Usage();
    AppSettings settings = LoadAppSettings(settingsFile);
    if (settings.templateName.empty()) settings.templateName = "Default";
    CivilDate today{};
    Today(today.year, today.month, today.day);
    bool mondayFirst = false;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--monday") == 0) {
            mondayFirst = true;
        } else if (std::strcmp(argv[i], "--template") == 0 && i + 1 < argc) {
            settings.templateName = argv[++i];
        } else if (std::strcmp(argv[i], "--today") == 0 && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%d-%d-%d", &today.year, &today.month, &today.day) != 3 ||
                !InRange(today.year, today.month, today.day)) {
                return Usage();
            }
        } else {
            return Usage();
        }
    }
    MonthOptions options = MonthOptionsFrom(settings, dataFolder, ReadForenoticeSwitches(settingsFile));
    if (mondayFirst) options.firstColWeekDay = 1;
    MonthView view(days, FontFamilyQuery(), [today] { return today; });
    view.offDays = offDays;
    view.Rebuild(options, y, m);
    WriteGbk(MonthLayoutView(view.display(), view.cells()));
    return 0;
}

// The festivals and memos as a calendar file, written atomically to --out or
// to standard output.
int ExportCalendar(MonthSources& days, int argc, char** argv) {
    IcsExportChoices choices;
    int m = 0, d = 0;
    Today(choices.firstYear, m, d);
    std::string out;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--years") == 0 && i + 1 < argc) {
            char end = 0;
            if (std::sscanf(argv[++i], "%d%c", &choices.years, &end) != 1 || choices.years < 1 ||
                choices.years > kLastLunarYear - kFirstLunarYear + 1) {
                return Usage();
            }
        } else if (std::strcmp(argv[i], "--own-festivals-only") == 0) {
            choices.ownFestivalsOnly = true;
        } else if (std::strcmp(argv[i], "--no-memos") == 0) {
            choices.memos = false;
        } else if (std::strcmp(argv[i], "--terms") == 0) {
            choices.solarTerms = true;
        } else if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
            out = argv[++i];
        } else {
            return Usage();
        }
    }
    const std::time_t now = std::time(nullptr);
    const std::tm* utc = std::gmtime(&now);
    const IcsStamp stamp{utc->tm_year + 1900, utc->tm_mon + 1, utc->tm_mday, utc->tm_hour, utc->tm_min, utc->tm_sec};
    const IcsExport result =
        ExportIcs(days.festivals(), ShippedFestivals(), days.reminders(), &days.almanac(), choices, stamp);
    if (out.empty()) {
        WriteBytes(result.text);
        return 0;
    }
    if (!ReplaceFileAtomically(out, result.text)) {
        std::fprintf(stderr, "solvane-cli: could not write %s\n", out.c_str());
        return 1;
    }
    std::fprintf(stderr, "solvane-cli: %d events written to %s\n", result.events, out.c_str());
    return 0;
}

// Takes "--name VALUE" out of the arguments; false when it is there without
// its value.
bool TakeOption(int& argc, char** argv, const char* name, std::string& value) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], name) != 0) continue;
        if (i + 1 >= argc) return false;
        value = argv[i + 1];
        for (int j = i; j + 2 <= argc; ++j) argv[j] = argv[j + 2];
        argc -= 2;
        break;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string databasePath, festivalPath, memoPath, settingsPath, offDayPath;
    if (!TakeOption(argc, argv, "--db", databasePath) || !TakeOption(argc, argv, "--festivals", festivalPath) ||
        !TakeOption(argc, argv, "--memos", memoPath) || !TakeOption(argc, argv, "--ini", settingsPath) ||
        !TakeOption(argc, argv, "--offdays", offDayPath)) {
        return Usage();
    }
    const std::string dataFolder = DefaultDataFolder();
    if (databasePath.empty()) databasePath = AlmanacDatabasePath(dataFolder);
    if (festivalPath.empty()) festivalPath = FestivalFilePath(dataFolder);
    if (memoPath.empty()) memoPath = ReminderFilePath(dataFolder);
    if (settingsPath.empty()) settingsPath = SettingsFilePath(dataFolder);
    MonthSources days;
    days.Load(festivalPath, memoPath, databasePath);
    const FestivalList& festivals = days.festivals();
    const ReminderList& memos = days.reminders();
    AlmanacDatabase& almanac = days.almanac();
    if (festivals.empty() && !FileExists(festivalPath)) {
        std::fprintf(stderr, "solvane-cli: no festival file at %s\n", festivalPath.c_str());
    }
    if (offDayPath.empty()) offDayPath = OffDayFilePath(dataFolder);
    if (!days.LoadOffDayFile(offDayPath)) {
        std::fprintf(stderr, "solvane-cli: the holiday schedule %s could not be read\n", offDayPath.c_str());
    }
    const OffDayFile& offDayFile = days.offDayFile();
    const bool listOffDays = argc >= 2 && std::strcmp(argv[1], "offdays") == 0;
    if (!listOffDays && !offDayFile.problems.empty()) {
        std::fprintf(stderr, "solvane-cli: %zu line(s) of %s skipped (see: solvane-cli offdays)\n",
                     offDayFile.problems.size(), offDayPath.c_str());
    }
    // ShowPublicHolidays=0 hides the schedule from the month, as in the program.
    const OffDaySchedule* offDays = LoadAppSettings(settingsPath).showPublicHolidays ? &offDayFile.schedule : nullptr;
    const OffDaySchedule none;

    if (argc == 1) {
        int y, m, d;
        Today(y, m, d);
        WriteGbk(MonthGridView(y, m, 7, festivals, &almanac, offDays) + "\n" +
                 DayWithAlmanac(days, offDays ? *offDays : none, y, m, d));
        return 0;
    }
    const std::string command = argv[1];
    if (command == "month" && argc >= 3) {
        int y = 0, m = 0;
        if (std::sscanf(argv[2], "%d-%d", &y, &m) != 2 || !InRange(y, m, 1)) return Usage();
        const bool monday = argc >= 4 && std::strcmp(argv[3], "--monday") == 0;
        WriteGbk(MonthGridView(y, m, monday ? 1 : 7, festivals, &almanac, offDays) + OffDayCoverage(offDays, y));
        return 0;
    }
    if (command == "day" && argc >= 3) {
        int y = 0, m = 0, d = 0;
        if (std::sscanf(argv[2], "%d-%d-%d", &y, &m, &d) != 3 || !InRange(y, m, d)) return Usage();
        WriteGbk(DayWithAlmanac(days, offDays ? *offDays : none, y, m, d));
        return 0;
    }
    if (command == "terms" && argc >= 3) {
        int y = 0;
        if (std::sscanf(argv[2], "%d", &y) != 1 || !InRange(y, 1, 1)) return Usage();
        const std::string terms = SolarTermsView(almanac, y);
        if (terms.empty()) {
            std::fprintf(stderr, "solvane-cli: no almanac database could be read%s%s\n",
                         almanac.lastError().empty() ? "" : ": ", almanac.lastError().c_str());
            return 1;
        }
        WriteGbk(terms);
        return 0;
    }
    if (command == "festivals") {
        WriteGbk(FestivalListView(festivals));
        return 0;
    }
    if (command == "memos") {
        WriteGbk(MemoListView(memos));
        return 0;
    }
    if (command == "offdays") {
        WriteGbk(OffDaysView(offDayFile));
        return 0;
    }
    if (command == "export-ics") return ExportCalendar(days, argc, argv);
    if (command == "layout") return Layout(days, offDays, dataFolder, settingsPath, argc, argv);
    if (command == "upcoming") {
        int y, m, d;
        Today(y, m, d);
        if (argc >= 3 && (std::sscanf(argv[2], "%d-%d-%d", &y, &m, &d) != 3 || !InRange(y, m, d))) return Usage();
        WriteGbk(Upcoming(days, offDays, settingsPath, y, m, d));
        return 0;
    }
    return Usage();
}
