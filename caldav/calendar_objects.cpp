#include "caldav/calendar_objects.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>

#include "export/ics_export.h"

namespace {

// Content lines with folding undone, without their line ends.
std::vector<std::string> UnfoldedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && !lines.empty()) {
            lines.back() += line.substr(1);
        } else if (!line.empty()) {
            lines.push_back(line);
        }
        at = end + 1;
    }
    return lines;
}

std::string NameOf(const std::string& line) {
    std::string name = line.substr(0, line.find_first_of(";:"));
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

std::string ValueOf(const std::string& line) {
    const std::size_t colon = line.find(':');
    return colon == std::string::npos ? std::string() : line.substr(colon + 1);
}

}  // namespace

std::vector<CalendarObject> SplitCalendarObjects(const std::string& calendarText) {
    std::vector<CalendarObject> objects;
    const std::string head =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tavro//Tavro Calendar//ZH\r\nCALSCALE:GREGORIAN\r\n";
    const std::string begin = "BEGIN:VEVENT\r\n", end = "END:VEVENT\r\n";
    std::size_t at = 0;
    while ((at = calendarText.find(begin, at)) != std::string::npos) {
        const std::size_t stop = calendarText.find(end, at);
        if (stop == std::string::npos) break;
        const std::string event = calendarText.substr(at, stop + end.size() - at);
        at = stop + end.size();
        CalendarObject object;
        for (const std::string& line : UnfoldedLines(event)) {
            if (NameOf(line) == "UID") {
                object.uid = ValueOf(line);
                break;
            }
        }
        if (object.uid.empty()) continue;
        std::string name = object.uid.substr(0, object.uid.find('@'));
        // The UIDs the export makes are letters, digits and hyphens; anything
        // else would need escaping in a path.
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') c = '-';
        }
        object.name = name + ".ics";
        object.text = head + event + "END:VCALENDAR\r\n";
        objects.push_back(std::move(object));
    }
    return objects;
}

std::string CalendarContentHash(const std::string& objectText) {
    std::vector<std::string> kept;
    for (const std::string& line : UnfoldedLines(objectText)) {
        const std::string name = NameOf(line);
        if (name == "DTSTAMP" || name == "PRODID" || name == "VERSION" || name == "CALSCALE" || name == "METHOD" ||
            name.rfind("X-", 0) == 0 || line == "BEGIN:VCALENDAR" || line == "END:VCALENDAR") {
            continue;
        }
        kept.push_back(name + line.substr(name.size()));
    }
    std::sort(kept.begin(), kept.end());
    std::string joined;
    for (const std::string& line : kept) joined += line + '\n';
    return StableHash(joined);
}

std::string CalendarObjectLabel(const std::string& objectText) {
    std::string summary, start;
    for (const std::string& line : UnfoldedLines(objectText)) {
        const std::string name = NameOf(line);
        if (name == "SUMMARY" && summary.empty()) summary = ValueOf(line);
        if (name == "DTSTART" && start.empty()) start = ValueOf(line);
        if (name == "BEGIN" && ValueOf(line) == "VALARM") break;
    }
    // Undo the TEXT escapes the label would otherwise show.
    std::string plain;
    for (std::size_t i = 0; i < summary.size(); ++i) {
        if (summary[i] == '\\' && i + 1 < summary.size()) {
            ++i;
            plain += summary[i] == 'n' || summary[i] == 'N' ? ' ' : summary[i];
        } else {
            plain += summary[i];
        }
    }
    std::string when;
    if (start.size() >= 8) {
        when = start.substr(0, 4) + "-" + start.substr(4, 2) + "-" + start.substr(6, 2);
        if (start.size() >= 13 && start[8] == 'T') when += " " + start.substr(9, 2) + ":" + start.substr(11, 2);
    }
    if (plain.empty()) return when;
    return when.empty() ? plain : plain + " " + when;
}

namespace {

// The parameter's value in the part of a content line before its value
// ("DTSTART;TZID=Asia/Shanghai"), quotes taken off; empty when absent.
std::string ParameterOf(const std::string& line, const std::string& parameter) {
    const std::size_t colon = line.find(':');
    const std::string head = line.substr(0, colon);
    std::size_t at = head.find(';');
    while (at != std::string::npos) {
        const std::size_t next = head.find(';', at + 1);
        const std::string part = head.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        const std::size_t equals = part.find('=');
        std::string key = part.substr(0, equals);
        for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (key == parameter && equals != std::string::npos) {
            std::string value = part.substr(equals + 1);
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            return value;
        }
        at = next;
    }
    return {};
}

// A TEXT value with its escapes undone, line breaks as CR LF, cut to the
// limit at the start of a UTF-8 sequence.
std::string PlainText(const std::string& value) {
    std::string out;
    // A few bytes past the limit, so that the cut below sees where the
    // character at the limit begins.
    for (std::size_t i = 0; i < value.size() && out.size() <= kEventTextLimit + 4; ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            ++i;
            out += value[i] == 'n' || value[i] == 'N' ? std::string("\r\n") : std::string(1, value[i]);
        } else {
            out += value[i];
        }
    }
    if (out.size() > kEventTextLimit) {
        std::size_t cut = kEventTextLimit;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) --cut;
        out.resize(cut);
    }
    return out;
}

bool Digits(const std::string& text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// "+0800" or "-0530" as minutes east of UTC.
bool ReadUtcOffset(const std::string& text, int& minutes) {
    int hours = 0, rest = 0;
    if (text.size() < 5 || (text[0] != '+' && text[0] != '-') || !Digits(text, 1, 2, hours) ||
        !Digits(text, 3, 2, rest)) {
        return false;
    }
    minutes = (text[0] == '-' ? -1 : 1) * (hours * 60 + rest);
    return true;
}

// Minutes east of UTC of the zone the TZID names, when the program can tell.
// A zone the object defines itself counts when it keeps one offset all year.
bool ZoneOffset(const std::string& tzid, const std::vector<std::string>& lines, int& minutes) {
    static const char* const kChina[] = {"Asia/Shanghai",      "Asia/Chongqing", "Asia/Chungking", "Asia/Harbin",
                                         "Asia/Hong_Kong",     "Asia/Macau",     "Asia/Taipei",    "PRC",
                                         "China Standard Time"};
    static const char* const kUtc[] = {"UTC", "Etc/UTC", "GMT", "Etc/GMT", "Z", "Universal", "Etc/Universal"};
    for (const char* name : kChina) {
        if (tzid == name) return minutes = 480, true;
    }
    for (const char* name : kUtc) {
        if (tzid == name) return minutes = 0, true;
    }
    bool inZone = false, found = false, daylight = false;
    std::string part;
    for (const std::string& line : lines) {
        const std::string name = NameOf(line), value = ValueOf(line);
        if (name == "BEGIN" && value == "VTIMEZONE") inZone = true;
        if (!inZone) continue;
        if (name == "END" && value == "VTIMEZONE") {
            if (found) return !daylight;
            inZone = false;
        } else if (name == "TZID" && value == tzid) {
            found = true;
        } else if (name == "BEGIN") {
            part = value;
            daylight = daylight || (found && value == "DAYLIGHT");
        } else if (found && name == "TZOFFSETTO" && part == "STANDARD" && !ReadUtcOffset(value, minutes)) {
            return false;
        }
    }
    return false;
}

// "-PT15M", "-P1DT2H", "PT0S", "-P1W": seconds before the start; nothing for
// a moment after it or a form the program does not read.
bool ReadLead(const std::string& text, std::int64_t& seconds) {
    std::size_t at = 0;
    bool before = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) before = text[at++] == '-';
    if (at >= text.size() || text[at++] != 'P') return false;
    std::int64_t total = 0, number = -1;
    bool time = false, any = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c >= '0' && c <= '9') {
            if (number > 100000000) return false;
            number = (number < 0 ? 0 : number * 10) + (c - '0');
            continue;
        }
        if (c == 'T' && number < 0 && !time) {
            time = true;
            continue;
        }
        std::int64_t unit = 0;
        if (!time && c == 'W') unit = 7 * 86400;
        if (!time && c == 'D') unit = 86400;
        if (time && c == 'H') unit = 3600;
        if (time && c == 'M') unit = 60;
        if (time && c == 'S') unit = 1;
        if (unit == 0 || number < 0) return false;
        total += number * unit;
        if (total > (std::int64_t{1} << 40)) return false;  // no alert comes millennia ahead
        number = -1;
        any = true;
    }
    if (!any || number >= 0 || (total != 0 && !before)) return false;
    seconds = total;
    return true;
}

}  // namespace

CalendarEventReading ReadCalendarEvent(const std::string& objectText, int localOffsetMinutes) {
    CalendarEventReading reading;
    const std::vector<std::string> lines = UnfoldedLines(objectText);
    bool inEvent = false, inAlarm = false, done = false;
    std::string startLine;
    for (const std::string& line : lines) {
        if (done) break;
        const std::string name = NameOf(line), value = ValueOf(line);
        if (name == "BEGIN" && value == "VEVENT") inEvent = true;
        if (!inEvent) continue;
        if (name == "BEGIN" && value == "VALARM") {
            inAlarm = true;
        } else if (name == "END" && value == "VALARM") {
            inAlarm = false;
        } else if (name == "END" && value == "VEVENT") {
            done = true;
        } else if (inAlarm) {
            std::int64_t lead = 0;
            if (name == "TRIGGER" && ParameterOf(line, "RELATED") != "END" && ParameterOf(line, "VALUE").empty() &&
                reading.alertLeads.size() < kEventMostAlarms && ReadLead(value, lead)) {
                reading.alertLeads.push_back(lead);
            }
        } else if (name == "UID" && reading.uid.empty()) {
            reading.uid = value.substr(0, 1024);
        } else if (name == "SUMMARY" && reading.summary.empty()) {
            reading.summary = PlainText(value);
        } else if (name == "DESCRIPTION" && reading.description.empty()) {
            reading.description = PlainText(value);
        } else if (name == "DTSTART" && startLine.empty()) {
            startLine = line;
        }
    }
    const std::string value = ValueOf(startLine);
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    if (!Digits(value, 0, 4, year) || !Digits(value, 4, 2, month) || !Digits(value, 6, 2, day) || month < 1 ||
        month > 12 || day < 1 || day > DaysInMonth(year, month) || year < 1601) {
        return reading;
    }
    reading.allDay = value.size() == 8;
    if (!reading.allDay) {
        if (value.size() < 13 || value[8] != 'T' || !Digits(value, 9, 2, hour) || !Digits(value, 11, 2, minute) ||
            hour > 23 || minute > 59) {
            return reading;
        }
        int zone = localOffsetMinutes;
        const bool utc = value.back() == 'Z' || value.back() == 'z';
        if (utc) {
            zone = 0;
        } else {
            const std::string tzid = ParameterOf(startLine, "TZID");
            if (!tzid.empty() && !ZoneOffset(tzid, lines, zone)) zone = localOffsetMinutes;
        }
        std::int64_t minutes =
            SerialFromCivil(year, month, day) * 1440 + hour * 60 + minute - zone + localOffsetMinutes;
        const std::int64_t serial = minutes >= 0 ? minutes / 1440 : -((-minutes + 1439) / 1440);
        minutes -= serial * 1440;
        const CivilDate civil = CivilFromSerial(serial);
        year = civil.year;
        month = civil.month;
        day = civil.day;
        hour = static_cast<int>(minutes / 60);
        minute = static_cast<int>(minutes % 60);
        if (year < 1601 || year > 9999) return reading;
    }
    reading.start = SystemTimeAt(year, month, day, hour, minute);
    reading.hasStart = true;
    return reading;
}
