// render-month: draws one month with a month-window template into a PNG file,
// with the layout and GDI+ rendering of the month window itself. For tests
// and for people who make templates.
//
//   render-month YYYY-MM --out FILE.png [--data FOLDER] [--template NAME]
//                [--today YYYY-MM-DD] [--first-weekday 1-7] [--list-days N]
//                [--show-today 0|1] [--memo YYYY-MM-DD HH:MM TEXT]... [--time N]
//                [--in-place]
//
// FOLDER stands for the program's folder (default: this tool's folder, or the
// build's dist/ folder when the tool runs from a build): the
// template, festivals, memos, almanac and Solvane.ini are read from it as the
// program reads them. Options given here override Solvane.ini. --memo adds
// a one-off memo at that date and time to those of the memo file (to see the
// memo dot and the list).
// --time N rebuilds the month N more times (layout and drawing, as the window
// does on every change) and prints the mean time of one rebuild: as the
// window draws, each text laid from the picture of it kept from an earlier
// rebuild (the first of the N draws them, as the window's first drawing
// does), and again with every text drawn anew.
// --in-place draws the picture itself that way, keeping no text's picture
// (to compare the two).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "base/data_paths.h"
#include "base/win/gbk_text.h"
#include "calendar/date.h"
#include "calendar/lunar_calendar.h"
#include "calendar/win/system_time.h"
#include "days/day_data.h"
#include "holidays/holiday_schedule.h"
#include "reminders/reminder.h"
#include "view/month_view.h"
#include "view/win/display_list_renderer.h"
#include "view/win/font_families.h"

namespace {

int Usage() {
    std::fwprintf(stderr,
                  L"usage: render-month YYYY-MM --out FILE.png [--data FOLDER] [--template NAME]\n"
                  L"       [--today YYYY-MM-DD] [--first-weekday 1-7] [--list-days N] [--show-today 0|1]\n"
                  L"       [--memo YYYY-MM-DD HH:MM TEXT]... [--time N] [--in-place]\n");
    return 2;
}

struct Options {
    YearMonth month;
    Date today;
    std::filesystem::path dataFolder;
    std::optional<std::string> templateName;
    std::optional<int> firstColWeekDay, listForDays, showToday;
    std::wstring out;
    ReminderList reminders;  // one-off Gregorian memos of the command line
    int timedRebuilds = 0;
    bool inPlace = false;
};

// Installed, the templates lie beside the program; a build keeps them in
// dist/ at the top of its build folder (the tool is in tools/render-month/).
std::filesystem::path DefaultDataFolder() {
    const std::filesystem::path folder = ModuleFolder();
    const DWORD beside = GetFileAttributesW(SkinTemplatesFolder(folder).c_str());
    if (beside != INVALID_FILE_ATTRIBUTES && (beside & FILE_ATTRIBUTE_DIRECTORY)) return folder;
    return folder / ".." / ".." / "dist";
}

// A date or month of the command line, said to be wrong when it names none
// or one outside the calendar.
template <typename Value>
std::optional<Value> CalendarArgument(const wchar_t* text,
                                      std::optional<Value> (*parse)(std::string_view, std::string*)) {
    std::string error;
    const std::optional<Value> value = parse(GbkFromWide(text), &error);
    if (!value) {
        std::fwprintf(stderr, L"render-month: %ls\n", WideFromGbk(error).c_str());
    } else if (value->year() < kFirstLunarYear || value->year() > kLastLunarYear) {
        std::fwprintf(stderr, L"render-month: %ls: the calendar covers 1901 to 2099\n", text);
        return std::nullopt;
    }
    return value;
}

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
    const std::optional<YearMonth> month = argc >= 2 ? CalendarArgument(argv[1], ParseMonth) : std::nullopt;
    if (!month) return false;
    options.month = *month;
    options.today = LocalToday();
    options.dataFolder = DefaultDataFolder();
    for (int i = 2; i < argc; ++i) {
        const std::wstring name = argv[i];
        const bool hasValue = i + 1 < argc;
        if (name == L"--out" && hasValue) {
            options.out = argv[++i];
        } else if (name == L"--data" && hasValue) {
            options.dataFolder = std::filesystem::path(argv[++i]);
        } else if (name == L"--template" && hasValue) {
            options.templateName = GbkFromWide(argv[++i]);
        } else if (name == L"--today" && hasValue) {
            const std::optional<Date> today = CalendarArgument(argv[++i], ParseDate);
            if (!today) return false;
            options.today = *today;
        } else if (name == L"--first-weekday" && hasValue) {
            options.firstColWeekDay = _wtoi(argv[++i]);
        } else if (name == L"--list-days" && hasValue) {
            options.listForDays = _wtoi(argv[++i]);
        } else if (name == L"--show-today" && hasValue) {
            options.showToday = _wtoi(argv[++i]);
        } else if (name == L"--in-place") {
            options.inPlace = true;
        } else if (name == L"--time" && hasValue) {
            options.timedRebuilds = _wtoi(argv[++i]);
        } else if (name == L"--memo" && i + 3 < argc) {
            Reminder extra{};
            const std::optional<Date> day = CalendarArgument(argv[i + 1], ParseDate);
            int hour = 0, minute = 0;
            if (!day || std::swscanf(argv[i + 2], L"%d:%d", &hour, &minute) != 2) return false;
            extra.start = MidnightOf(*day);
            extra.calendar = ReminderCalendar::kGregorian;
            extra.repeat = ReminderRepeat::kNone;
            extra.start.hour = static_cast<std::uint16_t>(hour);
            extra.start.minute = static_cast<std::uint16_t>(minute);
            SetReminderText(extra, GbkFromWide(argv[i + 3]));
            options.reminders.push_back(extra);
            i += 3;
        } else {
            return false;
        }
    }
    return !options.out.empty();
}

// The program's settings from Solvane.ini in the data folder, made into the
// month's options as the program makes them, where the command line does not
// say otherwise.
MonthOptions MonthOptionsOf(const Options& options) {
    const std::filesystem::path settingsFile = SettingsFilePath(options.dataFolder);
    AppSettings settings = LoadAppSettings(settingsFile);
    if (options.templateName) settings.templateName = *options.templateName;
    MonthOptions month = MonthOptionsFrom(settings, options.dataFolder, ReadForenoticeSwitches(settingsFile));
    if (options.firstColWeekDay) month.firstColWeekDay = *options.firstColWeekDay;
    if (options.listForDays) month.listForDays = *options.listForDays;
    if (options.showToday) month.showToday = *options.showToday;
    return month;
}

void PrintShape(const wchar_t* kind, const Rect& box, const Color& color) {
    std::wprintf(L"%ls %d %d %d %d %d %d %d %d\n", kind, box.left, box.top, box.right, box.bottom, color.alpha,
                 color.red, color.green, color.blue);
}

// What was drawn where, for scripts that check the picture: its size, the
// cells, today's ring, the memo dots (box, then alpha, red, green, blue) and
// the 休 / 班 badges (day, "off" or "work", box, fill colour).
void Describe(const MonthView& view, const LayeredSurface& surface) {
    std::wprintf(L"picture %d %d\n", surface.width(), surface.height());
    for (const auto& [day, cell] : view.cells()) {
        std::wprintf(L"cell %d %d %d %d %d\n", day, cell.left, cell.top, cell.right, cell.bottom);
    }
    for (const DisplayItem& item : view.display().items) {
        const auto text = std::get_if<DisplayText>(&item);
        if (!text || text->role != TextRole::kOffDayBadge) continue;
        const int day = view.DayAt(text->box.left + static_cast<int>(text->box.Width() / 2),
                                   text->box.top + static_cast<int>(text->box.Height() / 2));
        const auto offDay = view.offDayCells().find(day);
        std::wprintf(L"badge %d %ls %d %d %d %d %d %d %d\n", day,
                     offDay != view.offDayCells().end() && offDay->second.kind == OffDayKind::kWork ? L"work" : L"off",
                     text->box.left, text->box.top, text->box.right, text->box.bottom, text->style.color.red,
                     text->style.color.green, text->style.color.blue);
    }
    for (const DisplayItem& item : view.display().items) {
        if (auto ring = std::get_if<DisplayEllipse>(&item)) PrintShape(L"ring", ring->box, ring->color);
        if (auto dot = std::get_if<DisplayDot>(&item)) PrintShape(L"dot", dot->box, dot->color);
        if (auto band = std::get_if<DisplayBand>(&item)) PrintShape(L"band", band->box, band->color);
    }
}

// The process's CPU time so far (user and kernel), in ms: a drawing's own
// cost, whatever else the machine is busy with.
double ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    const auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// Rebuilds as the window's rebuild does (the template looked up again, read
// again only when its files change).
void TimeRebuilds(const Options& options, const MonthOptions& monthOptions, MonthView& view, bool keepTextPictures) {
    LARGE_INTEGER frequency, start, laidOut, drawn;
    QueryPerformanceFrequency(&frequency);
    double layoutTicks = 0, drawingTicks = 0, firstDrawing = 0, drawingCpu = 0;
    TextPictures pictures;
    BackgroundPictures backgrounds;
    for (int i = 0; i < options.timedRebuilds; ++i) {
        QueryPerformanceCounter(&start);
        view.Rebuild(monthOptions, options.month);
        QueryPerformanceCounter(&laidOut);
        const double cpuBefore = ProcessCpuMs();
        const LayeredSurface surface = RenderDisplayList(view.display(), keepTextPictures ? &pictures : nullptr,
                                                         keepTextPictures ? &backgrounds : nullptr);
        drawingCpu += ProcessCpuMs() - cpuBefore;
        QueryPerformanceCounter(&drawn);
        if (surface.empty()) return;
        if (i == 0) firstDrawing = static_cast<double>(drawn.QuadPart - laidOut.QuadPart);
        layoutTicks += static_cast<double>(laidOut.QuadPart - start.QuadPart);
        drawingTicks += static_cast<double>(drawn.QuadPart - laidOut.QuadPart);
    }
    const double perRebuild = 1000.0 / static_cast<double>(frequency.QuadPart) / options.timedRebuilds;
    std::wprintf(
        L"rebuild %.2f ms: template, day information and layout %.2f ms, drawing %.2f ms, of which CPU %.2f ms "
        L"(mean of %d, %ls)\n",
        (layoutTicks + drawingTicks) * perRebuild, layoutTicks * perRebuild, drawingTicks * perRebuild,
        drawingCpu / options.timedRebuilds, options.timedRebuilds,
        keepTextPictures ? L"text pictures kept" : L"every text drawn anew");
    if (keepTextPictures && options.timedRebuilds > 1) {
        const double toMs = 1000.0 / static_cast<double>(frequency.QuadPart);
        std::wprintf(L"first drawing %.2f ms (%d text pictures drawn), later drawings %.2f ms\n", firstDrawing * toMs,
                     pictures.drawn(), (drawingTicks - firstDrawing) * toMs / (options.timedRebuilds - 1));
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) return Usage();
    const MonthOptions monthOptions = MonthOptionsOf(options);

    GdiplusSession session;
    if (!session.ok()) {
        std::fwprintf(stderr, L"render-month: GDI+ did not start\n");
        return 1;
    }
    DayData sources;
    sources.LoadFolder(options.dataFolder);
    sources.AddReminders(options.reminders);
    const Date today = options.today;
    MonthView view(sources, InstalledFontFamilies(), [today] { return today; });
    view.offDays = &sources.offDays();
    view.Rebuild(monthOptions, options.month);
    TextPictures pictures;
    const LayeredSurface surface = RenderDisplayList(view.display(), options.inPlace ? nullptr : &pictures);
    if (surface.empty()) {
        std::fwprintf(stderr, L"render-month: cannot load the background picture %ls\n",
                      monthOptions.backgroundPath.c_str());
        return 1;
    }
    if (!SaveSurfacePng(surface, options.out)) {
        std::fwprintf(stderr, L"render-month: cannot write %ls\n", options.out.c_str());
        return 1;
    }
    Describe(view, surface);
    if (options.timedRebuilds > 0) {
        TimeRebuilds(options, monthOptions, view, true);
        TimeRebuilds(options, monthOptions, view, false);
    }
    return 0;
}
