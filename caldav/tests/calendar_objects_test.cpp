#include "caldav/calendar_objects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "export/ics_export.h"
#include "tests/support/festival_samples.h"

namespace {

std::vector<CalendarObject> Exported(const FestivalList& festivals, int firstYear, int years) {
    IcsExportChoices choices;
    choices.firstYear = firstYear;
    choices.years = years;
    const IcsExport result = ExportIcs(festivals, {}, {}, nullptr, choices, IcsStamp{2026, 12, 9, 8, 0, 0});
    return SplitCalendarObjects(result.text);
}

TEST(CalendarObjects, ALunarBirthdayIsOneResourcePerYearEachACalendarOfItsOwn) {
    const auto objects =
        Exported({FestivalSample("NL", "8-12").Kind("SR").Name("奶奶的生日"), FestivalSample("YL", "10-1")}, 2026, 3);
    ASSERT_EQ(objects.size(), 4u) << "three dated birthdays and one yearly event";
    for (const CalendarObject& object : objects) {
        EXPECT_EQ(object.text.rfind("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n", 0), 0u);
        EXPECT_EQ(object.text.find("METHOD:"), std::string::npos) << "a stored object carries no METHOD";
        EXPECT_EQ(object.text.find("BEGIN:VEVENT"), object.text.rfind("BEGIN:VEVENT"));
        EXPECT_NE(object.text.find("UID:" + object.uid + "\r\n"), std::string::npos);
        EXPECT_EQ(object.name, object.uid.substr(0, object.uid.find('@')) + ".ics");
    }
    EXPECT_NE(objects[1].text.find("DTSTART;VALUE=DATE:20270912"), std::string::npos) << objects[1].text;
    EXPECT_EQ(CalendarObjectLabel(objects[1].text),
              "\xE5\xA5\xB6\xE5\xA5\xB6\xE7\x9A\x84\xE7\x94\x9F\xE6\x97\xA5 2027-09-12");
}

TEST(CalendarObjects, TheSameEventKeepsItsNameAcrossExportsOfOtherYears) {
    const FestivalRule birthday = FestivalSample("NL", "8-12").Kind("SR").Name("奶奶的生日");
    const auto before = Exported({birthday}, 2026, 3);
    const auto after = Exported({FestivalSample("YL", "5-1").Name("劳动节"), birthday}, 2027, 3);
    const auto same =
        std::find_if(after.begin(), after.end(), [&](const CalendarObject& o) { return o.name == before[1].name; });
    ASSERT_NE(same, after.end()) << "2027's birthday under its name";
    EXPECT_EQ(same->uid, before[1].uid);
    EXPECT_EQ(CalendarContentHash(before[1].text), CalendarContentHash(same->text));
}

TEST(CalendarObjects, TheContentHashIgnoresWhatServersRewriteButNotWhatTheEventSays) {
    const std::string ours =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tavro//Tavro Calendar//ZH\r\nBEGIN:VEVENT\r\nUID:m1@x\r\n"
        "DTSTAMP:20261209T080000Z\r\nSUMMARY:Dentist on Thursday with a long text that the writer folds here\r\n"
        "DTSTART:20270105T090000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const std::string serverCopy =
        "BEGIN:VCALENDAR\nPRODID:-//Radicale//NONSGML Radicale Server//EN\nVERSION:2.0\nBEGIN:VEVENT\n"
        "DTSTART:20270105T090000\nSUMMARY:Dentist on Thursday with a long text that the\n  writer folds here\n"
        "DTSTAMP:20261210T000000Z\nUID:m1@x\nX-RADICALE-NAME:m1.ics\nEND:VEVENT\nEND:VCALENDAR\n";
    EXPECT_EQ(CalendarContentHash(ours), CalendarContentHash(serverCopy));
    std::string moved = ours;
    moved.replace(moved.find("T090000"), 7, "T100000");
    EXPECT_NE(CalendarContentHash(ours), CalendarContentHash(moved));
}

}  // namespace
