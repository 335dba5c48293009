// solvane-cli: prints months and days of the calendar for people and scripts.
// `solvane-cli --help` lists the commands and options; `solvane-cli help
// COMMAND` (or COMMAND --help) gives one command's usage.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "almanac/almanac_database.h"
#include "app/app_settings.h"
#include "base/data_paths.h"
#include "base/file_path.h"
#include "base/file_system.h"
#include "base/text_encoding.h"
#include "base/whole_number.h"
#include "caldav/calendar_sync.h"
#include "calendar/date.h"
#include "calendar/lunar_calendar.h"
#include "days/day_data.h"
#include "export/ics_export.h"
#include "festivals/shipped_festivals.h"
#include "holidays/holiday_announcements.h"
#include "holidays/holiday_schedule.h"
#include "holidays/holiday_schedule_file.h"
#include "holidays/holiday_schedule_texts.h"
#include "notices/forenotice.h"
#include "tools/cli/cli_views.h"
#include "tools/cli/command_line.h"
#include "tools/cli/console_output.h"
#include "tools/cli/layout_view.h"
#include "tools/cli/memo_views.h"
#include "tools/cli/plan_commands.h"
#include "tools/cli/sync_client.h"
#include "view/balloon_text.h"
#include "view/month_view.h"

namespace {

using Arguments = std::vector<std::string>;  // what follows the command's name

// The exit status of arguments the tool cannot take: a usage error, or a date
// that does not exist or that the calendar does not cover.
constexpr int kBadArguments = 2;

struct Command {
    const char* name;
    const char* arguments;  // as the usage line writes them
    const char* what;
};

// Help and usage are ASCII, so that they read the same on any terminal and
// in any stream.
const Command kCommands[] = {
    {"month", "YYYY-MM [--monday]", "the month as a grid, with its days off and make-up working days"},
    {"day", "YYYY-MM-DD", "the balloon over the day and its whole almanac page"},
    {"terms", "YYYY", "the year's 24 solar terms with their instants"},
    {"festivals", "", "the festival file as the festival manager lists it"},
    {"memos", "", "the memo file as the memo manager lists it"},
    {"upcoming", "[YYYY-MM-DD]", "the upcoming-events lines from today (or that day)"},
    {"offdays", "", "the holiday schedule: the years it covers, its holidays, skipped lines"},
    {"layout", "YYYY-MM [--template NAME] [--today YYYY-MM-DD] [--monday]",
     "what the month window draws where, with the settings' template and switches"},
    {"export-ics", "[--years N] [--own-festivals-only] [--no-memos] [--terms] [--out FILE]",
     "festivals and memos as an iCalendar file, this year and the next N-1 (11 years by default)"},
    {"sync", "--server URL --user NAME --password-file FILE [--calendar NAME] [--years N] [--dry-run]",
     "your own festivals and the memos into a calendar of your CalDAV server (3 years by default);\n"
     "      exit 0 done, 1 conflicts, 2 usage error, 3 server unreachable or refused"},
    {"good-days",
     "ACTIVITY [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--not-clash ZODIAC] [--days-off-only] [--huangdao-only]",
     "the days the almanac notes as good for the activity (three months from today unless given)"},
    {"leave-plan", "YYYY [--max-leave N]", "for each holiday of the year, the runs of days off that leave days make"},
    {"lunar", "YYYY MM DD [--leap] | MM DD [--years N]", "the Gregorian date of a lunar date"},
};

const char kOptions[] =
    "options of every command:\n"
    "  --db PATH         the almanac database (default: Ostrel/Database/china.mdb beside the tool,\n"
    "                    else in the build's dist/)\n"
    "  --festivals PATH  the festival file (default: Ostrel/holidays.cfg, found the same way)\n"
    "  --memos PATH      the memo file (default: Reminders/reminders.cfg)\n"
    "  --offdays PATH    the holiday schedule (default: Ostrel/offdays.cfg)\n"
    "  --ini PATH        the settings file (default: Solvane.ini)\n"
    "dates run from 1901-01-01 to 2099-12-31; without a command, this month and today\n";

std::string UsageLine(const Command& command) {
    std::string line = std::string("usage: solvane-cli ") + command.name;
    if (*command.arguments) line += std::string(" ") + command.arguments;
    return line + " [options]\n";
}

std::string FullUsage() {
    std::string text = "usage: solvane-cli [COMMAND] [options]\n\ncommands:\n";
    for (const Command& command : kCommands) {
        text += std::string("  ") + command.name + (*command.arguments ? std::string(" ") + command.arguments : "") +
                "\n      " + command.what + "\n";
    }
    return text + "\n" + kOptions;
}

const Command* FindCommand(const std::string& name) {
    for (const Command& command : kCommands) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

int Refuse(const std::string& message) {
    std::fprintf(stderr, "solvane-cli: %s\n", message.c_str());
    return kBadArguments;
}

int UsageError(const Command& command) {
    std::fputs(UsageLine(command).c_str(), stderr);
    return kBadArguments;
}

bool IsHelp(const std::string& argument) { return argument == "--help" || argument == "-h"; }

bool InCalendar(int year) { return year >= kFirstLunarYear && year <= kLastLunarYear; }

// A date or month of the command line; when it names none, or one outside
// the calendar, nothing, and the reason is printed.
template <typename Value>
std::optional<Value> CalendarArgument(const std::string& text,
                                      std::optional<Value> (*parse)(std::string_view, std::string*),
                                      const char* covered) {
    std::string error;
    const std::optional<Value> value = parse(text, &error);
    if (!value) {
        Refuse(error);
    } else if (!InCalendar(value->year())) {
        Refuse(text + ": the calendar covers " + covered);
        return std::nullopt;
    }
    return value;
}

std::optional<Date> DateArgument(const std::string& text) {
    return CalendarArgument(text, ParseDate, "1901-01-01 to 2099-12-31");
}

std::optional<YearMonth> MonthArgument(const std::string& text) {
    return CalendarArgument(text, ParseMonth, "1901-01 to 2099-12");
}

// A year of the calendar written as plain digits.
std::optional<int> YearArgument(const std::string& text) {
    const bool digits = !text.empty() && text.size() <= 4 &&
                        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) {
        Refuse(text + ": not a year of the form YYYY");
        return std::nullopt;
    }
    const int year = std::stoi(text);
    if (!InCalendar(year)) {
        Refuse(text + ": the calendar covers 1901 to 2099");
        return std::nullopt;
    }
    return year;
}

// Today's date; nothing (and the reason) when the clock cannot be read or
// stands outside the calendar, rather than a day it is not.
std::optional<Date> Today() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    const std::optional<Date> today =
        local ? Date::FromCivil(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday) : std::nullopt;
    if (!today) {
        Refuse("the clock gives no date");
    } else if (!InCalendar(today->year())) {
        Refuse("today, " + today->ToString() + ", lies outside the calendar (1901-01-01 to 2099-12-31)");
        return std::nullopt;
    }
    return today;
}

// The installed layout keeps the data beside the program; a build keeps it in
// dist/ at the top of its build folder (the tool is in tools/cli/).
std::filesystem::path DefaultDataFolder() {
    const std::filesystem::path folder = ModuleFolder();
    if (FileExists(AlmanacDatabasePath(folder))) return folder;
    return folder / ".." / ".." / "dist";
}

// Takes "--name VALUE" out of the arguments; false when it is there without
// its value.
bool TakeOption(Arguments& arguments, const char* name, std::string& value) {
    const auto found = std::find(arguments.begin(), arguments.end(), name);
    if (found == arguments.end()) return true;
    if (found + 1 == arguments.end()) return false;
    value = *(found + 1);
    arguments.erase(found, found + 2);
    return true;
}

// Everything a command reads, loaded once its arguments are known to be good.
struct Sources {
    const CommandLine* line = nullptr;  // names files in every character given
    std::filesystem::path dataFolder, settingsPath, reminderPath;
    DayData days;
    // The schedule with the law's days of the years it lacks, as the month
    // window shows it; none with ShowPublicHolidays=0, as in the program.
    const HolidaySchedule* offDays = nullptr;
    HolidaySchedule none;

    const HolidaySchedule& OffDaysOrNone() const { return offDays ? *offDays : none; }
};

// The balloon of the day with its almanac, then the day's whole 黄历 page.
std::string DayWithAlmanac(Sources& sources, const Date& date) {
    const std::string text =
        BalloonText(sources.days.GetDayInfo(date, kWholeDay), true, sources.OffDaysOrNone().Find(date));
    // The almanac block ends in "\n\n "; a terminal wants a last newline.
    return (text.back() == '\n' ? text : text + "\n") + AlmanacPageView(date);
}

// Under a month: which years the holiday schedule covers, so that a month
// without 休 and 班 is not taken for one without holidays.
std::string HolidayScheduleCoverage(const HolidaySchedule* offDays, int year) {
    if (!offDays) return "";
    const std::string years = CoveredYearsText(*offDays);
    const std::vector<int> covered = offDays->CoveredYears();
    const bool has = std::binary_search(covered.begin(), covered.end(), year);
    std::string text =
        "法定节假日安排：" + (years.empty() ? std::string("无") : years + "年" + (has ? "" : "（不含本年）"));
    if (offDays->StatutoryOnly(year)) text += "\n" + UnpublishedScheduleNote(year);
    return text + "\n";
}

int ShowMonth(Sources& sources, const YearMonth& month, bool monday) {
    WriteGbk(MonthGridView(month, monday ? 1 : 7, sources.days.festivals(), &sources.days.almanac(), sources.offDays) +
             HolidayScheduleCoverage(sources.offDays, month.year()));
    return 0;
}

int MonthCommand(Sources& sources, const Arguments& arguments) {
    const std::optional<YearMonth> month = MonthArgument(arguments[0]);
    if (!month) return kBadArguments;
    return ShowMonth(sources, *month, arguments.size() == 2);
}

int DayCommand(Sources& sources, const Arguments& arguments) {
    const std::optional<Date> date = DateArgument(arguments[0]);
    if (!date) return kBadArguments;
    WriteGbk(DayWithAlmanac(sources, *date));
    return 0;
}

int TermsCommand(Sources& sources, const Arguments& arguments) {
    const std::optional<int> year = YearArgument(arguments[0]);
    if (!year) return kBadArguments;
    AlmanacDatabase& almanac = sources.days.almanac();
    const std::string terms = SolarTermsView(almanac, *year);
    if (terms.empty()) {
        std::fprintf(stderr, "solvane-cli: no almanac database could be read%s%s\n",
                     almanac.lastError().empty() ? "" : ": ", almanac.lastError().c_str());
        return 1;
    }
    WriteGbk(terms);
    return 0;
}

// The forenotice list of the settings, unbounded by any template's area.
int UpcomingCommand(Sources& sources, const Arguments& arguments) {
    const std::optional<Date> today = arguments.empty() ? Today() : DateArgument(arguments[0]);
    if (!today) return kBadArguments;
    const int horizon = LoadAppSettings(sources.settingsPath).listForDays;
    const Rect everything{0, 0, 0, 0x7fffffff};
    const ForenoticeSwitches switches = ReadForenoticeSwitches(sources.settingsPath);
    std::vector<ForenoticeAnnouncement> announcements;
    if (sources.offDays && switches.showHolidays) announcements = NextHolidayAnnouncements(*sources.offDays, *today);
    WriteGbk(UpcomingView(BuildForenoticeLines(*today, everything, 1, horizon, switches, sources.days, announcements)));
    return 0;
}

// The month window's layout of a month, with the program's settings unless
// the arguments (after YYYY-MM) name a template, today's date or Monday first.
int LayoutCommand(Sources& sources, const Arguments& arguments) {
    const Command& command = *FindCommand("layout");
    const std::optional<YearMonth> month = MonthArgument(arguments[0]);
    if (!month) return kBadArguments;
    AppSettings settings = LoadAppSettings(sources.settingsPath);
    if (settings.templateName.empty()) settings.templateName = "Default";
    std::optional<Date> today;
    bool mondayFirst = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--monday") {
            mondayFirst = true;
        } else if (argument == "--template" && hasValue) {
            settings.templateName = arguments[++i];
        } else if (argument == "--today" && hasValue) {
            today = DateArgument(arguments[++i]);
            if (!today) return kBadArguments;
        } else {
            return UsageError(command);
        }
    }
    if (!today) today = Today();
    if (!today) return kBadArguments;
    MonthOptions options = MonthOptionsFrom(settings, sources.dataFolder, ReadForenoticeSwitches(sources.settingsPath));
    if (mondayFirst) options.firstColWeekDay = 1;
    MonthView view(sources.days, FontFamilyQuery(), [shown = *today] { return shown; });
    view.offDays = sources.offDays;
    view.Rebuild(options, *month);
    WriteGbk(MonthLayoutView(view.display(), view.cells()));
    return 0;
}

// The festivals and memos as a calendar file, written atomically to --out or
// to standard output.
// The moment written as every event's DTSTAMP, in UTC.
IcsStamp IcsStampNow() {
    const std::time_t now = std::time(nullptr);
    const std::tm* utc = std::gmtime(&now);
    return {utc->tm_year + 1900, utc->tm_mon + 1, utc->tm_mday, utc->tm_hour, utc->tm_min, utc->tm_sec};
}

// The events `choices` asks for, from this year on and stamped now, as both
// export-ics and sync send them; nothing when the clock names no date.
std::optional<IcsExport> ExportFromThisYear(Sources& sources, IcsExportChoices choices) {
    const std::optional<Date> today = Today();
    if (!today) return std::nullopt;
    choices.firstYear = today->year();
    const IcsStamp stamp = IcsStampNow();
    DayData& days = sources.days;
    choices.offDays = &days.offDays();
    return ExportIcs(days.festivals(), ShippedFestivals(), days.reminders(), &days.almanac(), choices, stamp);
}

int ExportCommand(Sources& sources, const Arguments& arguments) {
    const Command& command = *FindCommand("export-ics");
    IcsExportChoices choices;
    std::filesystem::path out;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--years" && hasValue) {
            const std::string& years = arguments[++i];
            const int most = kLastLunarYear - kFirstLunarYear + 1;
            const WholeNumber number = ReadWholeNumber(years, 1, most);
            if (number.problem == WholeNumberProblem::kNotANumber) return Refuse("--years " + years + ": not a number");
            if (!number.value) {
                return Refuse("--years " + years + ": a number of years from 1 to " + std::to_string(most));
            }
            choices.years = *number.value;
        } else if (argument == "--own-festivals-only") {
            choices.ownFestivalsOnly = true;
        } else if (argument == "--no-memos") {
            choices.reminders = false;
        } else if (argument == "--terms") {
            choices.solarTerms = true;
        } else if (argument == "--out" && hasValue) {
            out = sources.line->PathOf(arguments[++i].c_str());
        } else {
            return UsageError(command);
        }
    }
    const std::optional<IcsExport> exported = ExportFromThisYear(sources, choices);
    if (!exported) return kBadArguments;
    const IcsExport& result = *exported;
    if (result.outcome != IcsOutcome::kWritten) {
        std::fprintf(stderr, "solvane-cli: more than %d events or %zu MB; nothing written (try fewer --years)\n",
                     kIcsMaxEvents, kIcsMaxBytes >> 20);
        return 1;
    }
    if (out.empty()) {
        WriteBytes(result.text);
        return 0;
    }
    if (!ReplaceFileAtomically(out, result.text)) {
        std::fprintf(stderr, "solvane-cli: could not write %s\n", Utf8FileName(out).c_str());
        return 1;
    }
    std::fprintf(stderr, "solvane-cli: %d events written to %s\n", result.events, Utf8FileName(out).c_str());
    return 0;
}

// The exit statuses of sync beyond 0 and kBadArguments.
constexpr int kSyncConflicts = 1;
constexpr int kSyncNoServer = 3;

// The user's own festivals and the memos into their CalDAV calendar: one line
// per change, then the summary. The sync state lives beside the memo file.
int SyncCommand(Sources& sources, const Arguments& arguments) {
    const Command& command = *FindCommand("sync");
    CalDavAccount account;
    account.calendarName = Utf8FromGbk(kDefaultCalendarName);
    std::filesystem::path passwordFile;
    IcsExportChoices choices;
    choices.years = 3;
    choices.ownFestivalsOnly = true;
    bool dryRun = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--server" && hasValue) {
            account.server = arguments[++i];
        } else if (argument == "--user" && hasValue) {
            account.user = Utf8FromGbk(arguments[++i]);
        } else if (argument == "--password-file" && hasValue) {
            passwordFile = sources.line->PathOf(arguments[++i].c_str());
        } else if (argument == "--calendar" && hasValue) {
            account.calendarName = Utf8FromGbk(arguments[++i]);
        } else if (argument == "--years" && hasValue) {
            const std::string& years = arguments[++i];
            const WholeNumber number = ReadWholeNumber(years, 1, 20);
            if (!number.value) return Refuse("--years " + years + ": a number of years from 1 to 20");
            choices.years = *number.value;
        } else if (argument == "--dry-run") {
            dryRun = true;
        } else {
            return UsageError(command);
        }
    }
    if (account.server.empty() || account.user.empty() || passwordFile.empty() || account.calendarName.empty()) {
        return UsageError(command);
    }
    if (!IsAllowedServerAddress(account.server)) {
        return Refuse(account.server +
                      ": the server is reached over https:// only (http:// to this machine's own address)");
    }
    if (ReadFileWithin(passwordFile, 4096, account.password) != FileRead::kRead) {
        return Refuse("the password file " + Utf8FileName(passwordFile) + " could not be read");
    }
    account.password = account.password.substr(0, account.password.find_first_of("\r\n"));
    const std::unique_ptr<HttpClient> client = MakeSyncClient();
    if (!client) return Refuse("this build of the tool cannot reach a server");

    const std::filesystem::path statePath = SyncStatePath(sources.reminderPath);
    SyncState state;
    if (LoadSyncState(statePath, state) == SyncStateLoad::kDamaged) {
        WriteGbkError("solvane-cli: 同步记录 " + GbkFromUtf8(Utf8FileName(statePath)) +
                      " 读不了，未同步（移走它，下次同步会与服务器上的事件重新比对）\n");
        return kBadArguments;
    }
    const std::optional<IcsExport> exported = ExportFromThisYear(sources, choices);
    if (!exported) return kBadArguments;
    if (exported->outcome != IcsOutcome::kWritten) {
        return Refuse("more than " + std::to_string(kIcsMaxEvents) + " events; nothing sent (try fewer --years)");
    }
    const SyncResult result = SyncCalendar(*client, account, SplitCalendarObjects(exported->text), state, dryRun);
    std::string lines;
    for (const SyncChange& change : result.changes) lines += SyncChangeLine(change) + "\n";
    WriteGbk(lines + SyncSummary(result) + (dryRun ? "（试运行：服务器上未做改动）" : "") + "\n");
    if (!dryRun && result.stateChanged && !SaveSyncState(statePath, state)) {
        WriteGbkError("solvane-cli: 同步记录 " + GbkFromUtf8(Utf8FileName(statePath)) + " 写不进去\n");
        return kSyncNoServer;
    }
    if (result.outcome != SyncOutcome::kDone) {
        WriteGbkError("solvane-cli: " + result.message + "\n");
        return result.outcome == SyncOutcome::kBadAddress ? kBadArguments : kSyncNoServer;
    }
    return result.Count(SyncChangeKind::kConflict) > 0 ? kSyncConflicts : 0;
}

// The planning commands read their arguments as a command line of their own:
// the tool's name, the command's, then what follows it.
int PlanCommand(const std::string& name, const Arguments& arguments, Sources& sources) {
    std::vector<std::string> texts{"solvane-cli", name};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts) argv.push_back(text.data());
    const int argc = static_cast<int>(texts.size());
    const std::optional<Date> today = Today();
    if (!today) return kBadArguments;
    const HolidaySchedule& published = sources.days.offDayFile().schedule;
    if (name == "good-days") return GoodDaysCommand(sources.days, published, *today, argc, argv.data());
    // A year awaiting its notice is planned from the law's days, as the month shows them.
    if (name == "leave-plan") return LeavePlanCommand(sources.days.offDays(), argc, argv.data());
    return LunarCommand(*today, argc, argv.data());
}

// Whether the arguments after the command's name have the shape its usage
// line gives; the values themselves are checked by the command.
bool TakesArguments(const std::string& name, const Arguments& arguments) {
    const std::size_t n = arguments.size();
    if (name == "month") return n == 1 || (n == 2 && arguments[1] == "--monday");
    if (name == "day" || name == "terms") return n == 1;
    if (name == "upcoming") return n <= 1;
    if (name == "layout") return n >= 1;
    // export-ics and the planning commands check their options themselves.
    if (name == "export-ics" || name == "sync" || name == "good-days" || name == "leave-plan" || name == "lunar")
        return true;
    return n == 0;  // festivals, memos, offdays
}

int Run(const std::string& name, const Arguments& arguments, Sources& sources) {
    DayData& days = sources.days;
    if (name.empty()) {
        const std::optional<Date> today = Today();
        if (!today) return kBadArguments;
        ShowMonth(sources, YearMonth::Of(*today), false);
        WriteGbk("\n" + DayWithAlmanac(sources, *today));
        return 0;
    }
    if (name == "month") return MonthCommand(sources, arguments);
    if (name == "day") return DayCommand(sources, arguments);
    if (name == "terms") return TermsCommand(sources, arguments);
    if (name == "upcoming") return UpcomingCommand(sources, arguments);
    if (name == "layout") return LayoutCommand(sources, arguments);
    if (name == "export-ics") return ExportCommand(sources, arguments);
    if (name == "sync") return SyncCommand(sources, arguments);
    if (name == "good-days" || name == "leave-plan" || name == "lunar") return PlanCommand(name, arguments, sources);
    if (name == "festivals") WriteGbk(FestivalListView(days.festivals()));
    if (name == "memos") WriteGbk(ReminderListView(days.reminders()));
    if (name == "offdays") WriteGbk(HolidayScheduleView(days.offDayFile()));
    return 0;
}

void Load(Sources& sources, const std::string& command, std::filesystem::path databasePath,
          std::filesystem::path festivalPath, std::filesystem::path reminderPath, std::filesystem::path offDayPath) {
    const std::filesystem::path& folder = sources.dataFolder;
    if (databasePath.empty()) databasePath = AlmanacDatabasePath(folder);
    if (festivalPath.empty()) festivalPath = FestivalFilePath(folder);
    if (reminderPath.empty()) reminderPath = ReminderFilePath(folder);
    sources.reminderPath = reminderPath;
    if (offDayPath.empty()) offDayPath = HolidayScheduleFilePath(folder);
    DayData& days = sources.days;
    days.Load(festivalPath, reminderPath, databasePath);
    const auto tellTooLarge = [](const std::filesystem::path& file, std::size_t limit) {
        std::fprintf(stderr, "solvane-cli: %s is larger than %zu MB; only what lies within that is read\n",
                     Utf8FileName(file).c_str(), limit >> 20);
    };
    if (days.tooLargeFiles().festivals) tellTooLarge(festivalPath, kFestivalFileLimit);
    if (days.tooLargeFiles().reminders) tellTooLarge(reminderPath, kReminderFileLimit);
    if (days.festivals().empty() && !FileExists(festivalPath)) {
        std::fprintf(stderr, "solvane-cli: no festival file at %s\n", Utf8FileName(festivalPath).c_str());
    }
    if (!days.LoadOffDayFile(offDayPath)) {
        std::fprintf(stderr, "solvane-cli: the holiday schedule %s could not be read\n",
                     Utf8FileName(offDayPath).c_str());
    }
    if (days.tooLargeFiles().offDays) tellTooLarge(offDayPath, kHolidayScheduleFileLimit);
    const HolidayScheduleFile& offDayFile = days.offDayFile();
    if (command != "offdays" && !offDayFile.problems.empty()) {
        std::fprintf(stderr, "solvane-cli: %zu line(s) of %s skipped (see: solvane-cli offdays)\n",
                     offDayFile.problems.size(), Utf8FileName(offDayPath).c_str());
    }
    if (LoadAppSettings(sources.settingsPath).showPublicHolidays) sources.offDays = &days.offDays();
}

}  // namespace

int RunCli(CommandLine& line) {
    Arguments arguments(line.argv() + 1, line.argv() + line.argc());
    // Help first, before anything is loaded or any other argument is judged.
    if (!arguments.empty() && (IsHelp(arguments[0]) || arguments[0] == "help")) {
        const Command* command = arguments.size() >= 2 ? FindCommand(arguments[1]) : nullptr;
        WriteGbk(command ? UsageLine(*command) + "  " + command->what + "\n\n" + kOptions : FullUsage());
        return 0;
    }
    Sources sources;
    sources.line = &line;
    std::filesystem::path databasePath, festivalPath, reminderPath, offDayPath;
    for (const auto& [option, path] : {std::pair<const char*, std::filesystem::path*>{"--db", &databasePath},
                                       {"--festivals", &festivalPath},
                                       {"--memos", &reminderPath},
                                       {"--ini", &sources.settingsPath},
                                       {"--offdays", &offDayPath}}) {
        std::string value;
        if (!TakeOption(arguments, option, value)) return Refuse(std::string(option) + " needs a PATH after it");
        if (!value.empty()) *path = line.PathOf(value.c_str());
    }
    const std::string name = arguments.empty() ? "" : arguments[0];
    const Command* command = FindCommand(name);
    if (!name.empty() && !command) {
        std::fprintf(stderr, "solvane-cli: there is no command or option \"%s\"\n", name.c_str());
        std::fputs(FullUsage().c_str(), stderr);
        return kBadArguments;
    }
    if (command) {
        arguments.erase(arguments.begin());
        if (std::any_of(arguments.begin(), arguments.end(), IsHelp)) {
            WriteGbk(UsageLine(*command) + "  " + command->what + "\n\n" + kOptions);
            return 0;
        }
        if (!TakesArguments(name, arguments)) return UsageError(*command);
    }
    sources.dataFolder = DefaultDataFolder();
    if (sources.settingsPath.empty()) sources.settingsPath = SettingsFilePath(sources.dataFolder);
    Load(sources, name, databasePath, festivalPath, reminderPath, offDayPath);
    return Run(name, arguments, sources);
}
