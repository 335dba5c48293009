// Festivals and memos as an iCalendar file (RFC 5545) that phone and desktop
// calendars import. Those calendars repeat events by the Gregorian calendar
// only, so every lunar date, and every week or offset form they cannot
// express, is written as one event per occurrence, found by the same matching
// the month uses; plain Gregorian repetitions stay one repeating event.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "festivals/festival_rule.h"
#include "reminders/reminder.h"

class HolidaySchedule;
class SolarTermLookup;

// The years the export dialog offers: this year and the next 10 unless the
// user says otherwise, at most 100.
inline constexpr int kIcsDefaultYears = 11;
inline constexpr int kIcsMostYears = 100;

struct IcsExportChoices {
    int firstYear = 0;  // the first Gregorian year of occurrences
    int years = kIcsDefaultYears;
    bool festivals = true;
    bool ownFestivalsOnly = false;  // only rules that are not in the shipped list
    bool reminders = true;
    bool solarTerms = false;
    // The holiday schedule 每个工作日 and 每个休息日 memos follow; without it,
    // Monday to Friday are the working days.
    const HolidaySchedule* offDays = nullptr;
};

// What a phone takes in comfortably, and what the 32-bit program builds in
// memory without strain; the export dialog states both.
inline constexpr int kIcsMaxEvents = 20000;
inline constexpr std::size_t kIcsMaxBytes = 16u << 20;

enum class IcsOutcome {
    kWritten,    // text holds the whole file
    kTooLarge,   // more than kIcsMaxEvents events or kIcsMaxBytes bytes: no text
    kCancelled,  // the progress callback said stop: no text
};

struct IcsExport {
    IcsOutcome outcome = IcsOutcome::kWritten;
    std::string text;  // UTF-8, CR LF line ends, folded at 75 octets
    int events = 0;    // written, or counted until the export stopped
};

// Called now and then with the share done, 0-1000; returning false stops the
// export (the user cancelled). May be empty.
using IcsProgress = std::function<bool(int permille)>;

// When the file was made, UTC; it goes into every DTSTAMP.
struct IcsStamp {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// The calendar file of the choices. `shipped` is the festival list the
// program comes with (for ownFestivalsOnly); `solarTerms` answers the rules
// counted from a term and the solar-term events, and may be null (no almanac).
// Years are kept within 1901-2099, the range of the lunar calendar.
IcsExport ExportIcs(const FestivalList& festivals, const FestivalList& shipped, const ReminderList& reminders,
                    SolarTermLookup* solarTerms, const IcsExportChoices& choices, const IcsStamp& stamp,
                    const IcsProgress& progress = nullptr);

// Pieces of the file format, for the exporter and its tests.
// TEXT value escaping: backslash, semicolon and comma get a backslash, a line
// break becomes \n, a CR and every other control character are dropped.
std::string IcsEscapeText(const std::string& utf8);
// One content line, folded: at most 75 octets per physical line, each
// continuation beginning with a space, never cutting a UTF-8 sequence; ends
// in CR LF.
std::string IcsFoldLine(const std::string& line);
// FNV-1a as 16 hex digits: the same rule or record gives the same UID, and
// the same event text the same content hash, on every run and platform.
std::string StableHash(const std::string& bytes);
// "-PT15M", "-PT1H", "-P1D", "PT0S" for an alert that many seconds before.
std::string IcsTriggerBefore(std::int64_t seconds);
// The memo, by its index in the list, whose events carry this UID: a memo's
// events are named "m", its identity's hash ("-2", "-3", ... for copies of
// one memo), for an occurrence of its own "-YYYYMMDD", then the domain.
// Nothing when no memo of the list makes events of that UID.
struct ReminderEventSource {
    std::size_t index = 0;
    bool oneOccurrence = false;  // one day of a memo written day by day, not the memo's whole event
};
std::optional<ReminderEventSource> ReminderOfEventUid(const ReminderList& reminders, const std::string& uid);
