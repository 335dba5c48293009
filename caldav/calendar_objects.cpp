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
