#include "caldav/sync_conflict.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "base/text_encoding.h"
#include "caldav/calendar_objects.h"
#include "calendar/lunar_calendar.h"
#include "export/ics_export.h"
#include "reminders/reminder_manager_model.h"

namespace {

std::string FirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

// The memo text of the phone's event: the description when it starts with
// the title (as the program writes a memo of several lines), else the two.
std::string ReminderTextOf(const CalendarEventReading& event) {
    if (event.description.empty()) return event.summary;
    if (event.summary.empty() || FirstLine(event.description) == event.summary) return event.description;
    return event.summary + "\r\n" + event.description;
}

// The alerts of the phone's event that the program has: the first two
// different leads that match one of its codes.
void SetAlerts(Reminder& reminder, const std::vector<std::int64_t>& leads) {
    std::vector<ReminderAlert> codes;
    for (const std::int64_t lead : leads) {
        for (const CodeText<ReminderAlert>& alert : ReminderAlerts()) {
            if (AlertLeadSeconds(alert.code) == lead && codes.size() < 2 &&
                std::find(codes.begin(), codes.end(), alert.code) == codes.end()) {
                codes.push_back(alert.code);
            }
        }
    }
    reminder.firstAlert = codes.size() > 0 ? codes[0] : ReminderAlert::kNone;
    reminder.secondAlert = codes.size() > 1 ? codes[1] : ReminderAlert::kNone;
}

// Moves a one-off memo to the date and, unless the event is all day, the
// time; a lunar memo stays lunar within the lunar calendar's years. The
// words that identify the memo are kept.
void MoveOneOff(Reminder& reminder, const CalendarEventReading& event) {
    const std::optional<Date> date = Date::FromCivil(event.start.year, event.start.month, event.start.day);
    if (!date) return;
    if (reminder.calendar == ReminderCalendar::kLunar && date->year() > kFirstLunarYear &&
        date->year() < kLastLunarYear) {
        const LunarDate lunar = SolarToLunar(*date);
        reminder.start.year = static_cast<std::uint16_t>(lunar.year);
        reminder.start.month = static_cast<std::uint16_t>(lunar.month);
        reminder.start.day = static_cast<std::uint16_t>(lunar.day);
        SetStartsInLeapMonth(reminder, lunar.isLeap != 0);
    } else {
        SetStartsInLeapMonth(reminder, false);
        reminder.calendar = ReminderCalendar::kGregorian;
        reminder.start.year = event.start.year;
        reminder.start.month = event.start.month;
        reminder.start.day = event.start.day;
    }
    if (!event.allDay) {
        reminder.start.hour = event.start.hour;
        reminder.start.minute = event.start.minute;
    }
}

bool SameDay(const SystemTime& a, const SystemTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

std::optional<ReminderEventSource> ReminderOf(const SyncChange& conflict, const ReminderList& reminders) {
    for (const std::string* text : {&conflict.ours, &conflict.theirs}) {
        if (text->empty()) continue;
        const std::string uid = ReadCalendarEvent(*text, 0).uid;
        if (const std::optional<ReminderEventSource> found = ReminderOfEventUid(reminders, uid)) return found;
    }
    return std::nullopt;
}

// Only the deletion of a memo's whole event deletes the memo: one day of a
// lunar birthday deleted there leaves the other years (as a festival's day
// deleted there does), so keeping that deletion is not offered.
bool DeletesTheMemo(const std::optional<ReminderEventSource>& source) { return source && !source->oneOccurrence; }

ConflictResolved KeepPhones(const SyncChange& conflict, ReminderList& reminders, const SystemTime& now,
                            int localOffsetMinutes) {
    const std::optional<ReminderEventSource> source = ReminderOf(conflict, reminders);
    if (conflict.theirs.empty()) {
        if (!DeletesTheMemo(source)) return ConflictResolved::kNotOffered;
        reminders.erase(reminders.begin() + static_cast<std::ptrdiff_t>(source->index));
        return ConflictResolved::kReminderDeleted;
    }
    const std::optional<std::size_t> index = source ? std::optional<std::size_t>(source->index) : std::nullopt;
    const CalendarEventReading theirs = ReadCalendarEvent(conflict.theirs, localOffsetMinutes);
    const CalendarEventReading ours = ReadCalendarEvent(conflict.ours, localOffsetMinutes);
    std::string text = GbkFromUtf8(ReminderTextOf(theirs));
    if (text.empty()) text = conflict.label;
    if (index) {
        Reminder& reminder = reminders[*index];
        const bool oneOff = RepetitionOf(reminder) == ReminderRepeat::kNone;
        // One occurrence of a repeating memo moved to another day is no
        // change of the memo: it becomes a memo of its own.
        if (oneOff || !theirs.hasStart || (ours.hasStart && SameDay(theirs.start, ours.start))) {
            if (oneOff && theirs.hasStart) {
                MoveOneOff(reminder, theirs);
            } else if (theirs.hasStart && !theirs.allDay) {
                reminder.start.hour = theirs.start.hour;
                reminder.start.minute = theirs.start.minute;
            }
            SetReminderText(reminder, text);
            SetAlerts(reminder, theirs.alertLeads);
            return ConflictResolved::kReminderUpdated;
        }
    }
    const SystemTime& when = theirs.hasStart ? theirs.start : ours.hasStart ? ours.start : now;
    Reminder reminder = NewReminder(SystemTimeAt(when.year, when.month, when.day, 0, 0), false, now);
    if (theirs.hasStart && !theirs.allDay) {
        reminder.start.hour = when.hour;
        reminder.start.minute = when.minute;
    }
    SetReminderText(reminder, text);
    SetAlerts(reminder, theirs.alertLeads);
    reminders.push_back(reminder);
    return ConflictResolved::kReminderAdded;
}

}  // namespace

bool CanKeepPhoneVersion(const SyncChange& conflict, const ReminderList& reminders) {
    return !conflict.theirs.empty() || DeletesTheMemo(ReminderOf(conflict, reminders));
}

ConflictResolved ResolveConflict(SyncState& state, const SyncChange& conflict, ConflictChoice choice,
                                 ReminderList& reminders, const SystemTime& now, int localOffsetMinutes) {
    SyncedResource* resource = state.Find(conflict.href);
    if (!resource || !resource->conflict) return ConflictResolved::kNoConflict;
    ConflictResolved resolved = ConflictResolved::kPutBack;
    if (choice == ConflictChoice::kKeepPhones) {
        resolved = KeepPhones(conflict, reminders, now, localOffsetMinutes);
        if (resolved == ConflictResolved::kNotOffered) return resolved;
    }
    if (conflict.theirs.empty()) {
        // Deleted there: the next sync makes it anew with If-None-Match: *.
        state.resources.erase(state.resources.begin() + (resource - state.resources.data()));
    } else {
        // What the program wrote is forgotten, the ETag of the phone's
        // version kept: the next write goes over exactly that version.
        resource->conflict = false;
        resource->hash.clear();
    }
    return resolved;
}

EventVersionText DescribeEventVersion(const std::string& objectText, int localOffsetMinutes) {
    const CalendarEventReading event = ReadCalendarEvent(objectText, localOffsetMinutes);
    EventVersionText text;
    text.title = GbkFromUtf8(event.summary);
    if (event.hasStart) {
        char when[48];
        std::snprintf(when, sizeof when, "%04d-%02d-%02d", event.start.year, event.start.month, event.start.day);
        text.when = when;
        if (event.allDay) {
            text.when += " 全天";
        } else {
            std::snprintf(when, sizeof when, " %02d:%02d", event.start.hour, event.start.minute);
            text.when += when;
        }
    }
    std::string note = event.description;
    if (!event.summary.empty() && FirstLine(note) == event.summary) {
        note = note.substr(event.summary.size());
        note.erase(0, note.find_first_not_of("\r\n"));
    }
    text.note = GbkFromUtf8(note);
    for (const std::int64_t lead : event.alertLeads) {
        std::string alert;
        for (const CodeText<ReminderAlert>& code : ReminderAlerts()) {
            if (AlertLeadSeconds(code.code) == lead) alert = code.text;
        }
        if (alert.empty()) alert = std::to_string(lead / 60) + "分钟之前";
        text.alerts += (text.alerts.empty() ? "" : "、") + alert;
    }
    if (text.alerts.empty()) text.alerts = "无";
    return text;
}
