// solvane-cli: prints months and days of the calendar for people and scripts.
//
//   solvane-cli                       this month and today
//   solvane-cli month YYYY-MM [--monday]
//   solvane-cli day YYYY-MM-DD
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "calendar/lunar_calendar.h"
#include "tools/cli/cli_views.h"
#include "tools/cli/console_output.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: solvane-cli [month YYYY-MM [--monday] | day YYYY-MM-DD]\n"
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

}  // namespace

int main(int argc, char** argv) {
    if (argc == 1) {
        int y, m, d;
        Today(y, m, d);
        WriteGbk(MonthGridView(y, m, 7) + "\n" + DayView(y, m, d));
        return 0;
    }
    const std::string command = argv[1];
    if (command == "month" && argc >= 3) {
        int y = 0, m = 0;
        if (std::sscanf(argv[2], "%d-%d", &y, &m) != 2 || !InRange(y, m, 1)) return Usage();
        const bool monday = argc >= 4 && std::strcmp(argv[3], "--monday") == 0;
        WriteGbk(MonthGridView(y, m, monday ? 1 : 7));
        return 0;
    }
    if (command == "day" && argc >= 3) {
        int y = 0, m = 0, d = 0;
        if (std::sscanf(argv[2], "%d-%d-%d", &y, &m, &d) != 3 || !InRange(y, m, d)) return Usage();
        WriteGbk(DayView(y, m, d));
        return 0;
    }
    return Usage();
}
