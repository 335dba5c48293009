// The export's calendar file cut into the resources a CalDAV calendar holds:
// one object per event (RFC 4791 wants one UID per resource and no METHOD),
// named after the event's UID, which stays the same across edits. Whether a
// resource on the server still says what the program wrote is judged on its
// content with the server's own habits taken out (line folding, the order of
// properties, the stamp of the moment it was written).
#pragma once

#include <string>
#include <vector>

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
