// The export's calendar file cut into the resources a CalDAV calendar holds:
// one object per event (RFC 4791 wants one UID per resource and no METHOD),
// named after the event's UID, which stays the same across edits. Whether a
// resource on the server still says what the program wrote is judged on its
// content with the server's own habits taken out (line folding, the order of
// properties, the stamp of the moment it was written).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/gregorian.h"

struct CalendarObject {
    std::string uid;   // the event's UID
    std::string name;  // the resource's name in the calendar: the UID's own part, ".ics"
    std::string text;  // UTF-8: VCALENDAR with this one VEVENT
};

// The events of an export's text (ExportIcs), in the order written.
std::vector<CalendarObject> SplitCalendarObjects(const std::string& calendarText);

// The same for two objects that say the same thing, whichever program wrote
// them last; hex digits.
std::string CalendarContentHash(const std::string& objectText);

// "SUMMARY YYYY-MM-DD" (with " HH:MM" for a timed event), UTF-8, for the
// lines that tell the user what changed; empty parts left out.
std::string CalendarObjectLabel(const std::string& objectText);

// What the first event of an object says, read back the way the program
// writes memos: its own text may come from any phone, so every field is
// bounded (kEventTextLimit bytes of each text, kEventMostAlarms alarms) and
// whatever it cannot read is left out rather than guessed.
inline constexpr std::size_t kEventTextLimit = 16u << 10;
inline constexpr std::size_t kEventMostAlarms = 8;
struct CalendarEventReading {
    std::string uid;
    std::string summary, description;  // UTF-8, TEXT escapes undone, line breaks as CR LF
    bool hasStart = false;
    bool allDay = false;
    // Local time of this machine: a UTC time moved by `localOffsetMinutes`,
    // a time of a zone the program knows (China's, UTC, or one the object
    // defines with a fixed offset) moved from that zone, any other (and a
    // floating one) taken as it is written. Seconds are dropped.
    SystemTime start;
    std::vector<std::int64_t> alertLeads;  // seconds before the start, of the alarms that come before it
};
CalendarEventReading ReadCalendarEvent(const std::string& objectText, int localOffsetMinutes);
