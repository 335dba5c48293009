// almanac-gen: computes the almanac of every day and writes the database the
// program reads (table HL of Ostrel/Database/china.mdb).
//
//   almanac-gen OUTPUT                  1901-01-01 ... 2099-12-31
//   almanac-gen --years 2013-2014 OUTPUT
//   almanac-gen --near-midnight         terms within two minutes of midnight
//   almanac-gen --notes YYYY-MM-DD      why the day's 宜 and 忌 are what they are
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "almanac/day_facts.h"
#include "almanac/solar_term_names.h"
#include "almanac/yi_ji.h"
#include "almanac/yiji_rules.h"
#include "base/text_encoding.h"
#include "calendar/date.h"
#include "tools/almanac-gen/database_writer.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: almanac-gen [--years FIRST-LAST] OUTPUT\n"
                 "       almanac-gen --near-midnight\n"
                 "       almanac-gen --notes YYYY-MM-DD\n"
                 "years from 1901 to 2099 (the default)\n");
    return 2;
}

// Terms whose instant lies within two minutes of a midnight (UTC+8), where
// the day they fall on depends on seconds.
int ListNearMidnight() {
    const almanac::AlmanacCalendar calendar(1901, 2099);
    for (const auto& t : calendar.AllTerms()) {
        if (t.year < 1901 || t.year > 2099) continue;
        const int secondOfDay = t.hour * 3600 + t.minute * 60 + t.second;
        if (secondOfDay < 120 || secondOfDay >= 86400 - 120) {
            std::printf("%04d-%02d-%02d %02d:%02d:%02d %s\n", t.year, t.month, t.day, t.hour, t.minute, t.second,
                        Utf8FromGbk(SolarTermName(t.index)).c_str());
        }
    }
    return 0;
}

// The day's 神煞 and the reasons for its 宜 and 忌, as UTF-8 text.
int PrintNotes(const char* text) {
    std::string error;
    const std::optional<Date> date = ParseDate(text, &error);
    if (!date) std::fprintf(stderr, "almanac-gen: %s\n", error.c_str());
    if (!date || date->year() < 1901 || date->year() > 2099) return Usage();
    const almanac::AlmanacCalendar calendar(date->year(), date->year());
    const almanac::DayFacts facts = calendar.FactsOf(date->year(), date->month(), date->day());
    std::printf("%s", Utf8FromGbk(almanac::YiJiNotes(calendar, facts)).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int firstYear = 1901, lastYear = 2099;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--near-midnight") == 0) return ListNearMidnight();
        if (std::strcmp(argv[i], "--notes") == 0) return i + 1 < argc ? PrintNotes(argv[i + 1]) : Usage();
        if (std::strcmp(argv[i], "--years") == 0 && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%d-%d", &firstYear, &lastYear) != 2) return Usage();
        } else if (output.empty() && argv[i][0] != '-') {
            output = argv[i];
        } else {
            return Usage();
        }
    }
    if (output.empty() || firstYear < 1901 || lastYear > 2099 || firstYear > lastYear) return Usage();

    const auto started = std::chrono::steady_clock::now();
    std::string error;
    // A rule table that cannot be read would leave every day without 宜 and 忌;
    // better no database than such a one.
    almanac::YiJiRules rules;
    if (!rules.Load(almanac::BuiltInYiJiTables(), error)) {
        std::fprintf(stderr, "almanac-gen: %s\n", Utf8FromGbk(error).c_str());
        return 1;
    }
    const almanac::AlmanacCalendar calendar(firstYear, lastYear);
    if (!almanac_gen::WriteAlmanacDatabase(output, calendar, firstYear, lastYear, error)) {
        std::fprintf(stderr, "almanac-gen: %s\n", error.c_str());
        return 1;
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    std::printf("almanac-gen: %s, %d-%d, %lld ms\n", output.c_str(), firstYear, lastYear,
                static_cast<long long>(elapsed.count()));
    return 0;
}
