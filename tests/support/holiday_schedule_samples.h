// Holiday schedules for the tests, as their file holds them, and the schedule
// the program ships.
#pragma once

#include <string>

#include "holidays/holiday_schedule.h"
#include "holidays/holiday_schedule_file.h"

// data/Ostrel/offdays.cfg as it is read, read once.
inline const HolidaySchedule& ShippedHolidaySchedule() {
    static const HolidaySchedule schedule = [] {
        HolidayScheduleFile file;
        LoadHolidaySchedule(std::string(SOLVANE_SOURCE_DIR) + "/data/Ostrel/offdays.cfg", file);
        return file.schedule;
    }();
    return schedule;
}

// The notice of 2026 as it was published, with a comment line first.
inline constexpr char k2026[] =
    "# 2026\r\n"
    "2026-01-01,休,元旦\r\n2026-01-02,休,元旦\r\n2026-01-03,休,元旦\r\n2026-01-04,班,元旦\r\n"
    "2026-02-14,班,春节\r\n2026-02-15,休,春节\r\n2026-02-16,休,春节\r\n2026-02-17,休,春节\r\n"
    "2026-02-18,休,春节\r\n2026-02-19,休,春节\r\n2026-02-20,休,春节\r\n2026-02-21,休,春节\r\n"
    "2026-02-22,休,春节\r\n2026-02-23,休,春节\r\n2026-02-28,班,春节\r\n"
    "2026-09-20,班,国庆节\r\n2026-09-25,休,中秋节\r\n2026-09-26,休,中秋节\r\n2026-09-27,休,中秋节\r\n"
    "2026-10-01,休,国庆节\r\n2026-10-02,休,国庆节\r\n2026-10-03,休,国庆节\r\n2026-10-04,休,国庆节\r\n"
    "2026-10-05,休,国庆节\r\n2026-10-06,休,国庆节\r\n2026-10-07,休,国庆节\r\n2026-10-10,班,国庆节\r\n";

// A year of the holiday notice as the update site serves it, for the tests of
// the download: every day in date order with CR LF, so that the lines it
// appends to a user's file are exactly this text. 2027 as a notice could
// make it (29 days off, 6 make-up days, one of them in December 2026).
inline constexpr char kServed2027[] =
    "2026-12-26,班,元旦\r\n2027-01-01,休,元旦\r\n2027-01-02,休,元旦\r\n2027-01-03,休,元旦\r\n"
    "2027-02-05,休,春节\r\n2027-02-06,休,春节\r\n2027-02-07,休,春节\r\n2027-02-08,休,春节\r\n"
    "2027-02-09,休,春节\r\n2027-02-10,休,春节\r\n2027-02-11,休,春节\r\n2027-02-12,休,春节\r\n"
    "2027-02-13,休,春节\r\n2027-02-20,班,春节\r\n"
    "2027-04-03,休,清明节\r\n2027-04-04,休,清明节\r\n2027-04-05,休,清明节\r\n"
    "2027-04-25,班,劳动节\r\n2027-05-01,休,劳动节\r\n2027-05-02,休,劳动节\r\n2027-05-03,休,劳动节\r\n"
    "2027-05-04,休,劳动节\r\n2027-05-05,休,劳动节\r\n2027-05-08,班,劳动节\r\n"
    "2027-06-09,休,端午节\r\n2027-09-15,休,中秋节\r\n"
    "2027-09-26,班,国庆节\r\n2027-10-01,休,国庆节\r\n2027-10-02,休,国庆节\r\n2027-10-03,休,国庆节\r\n"
    "2027-10-04,休,国庆节\r\n2027-10-05,休,国庆节\r\n2027-10-06,休,国庆节\r\n2027-10-07,休,国庆节\r\n"
    "2027-10-09,班,国庆节\r\n";
