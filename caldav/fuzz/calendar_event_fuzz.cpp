// libFuzzer target: a phone's version of one of our events, as the conflict
// dialog shows it and as "keep the phone's" turns it into a memo.
//
// The first byte is this machine's offset from UTC; the rest is the event.
// Whatever it holds, the reading stays within its limits (texts, alarms, a
// real start), the memo made of it fits its record with whole characters,
// and the memo list still exports.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/gbk_scan.h"
#include "caldav/calendar_objects.h"
#include "caldav/sync_conflict.h"
#include "export/ics_export.h"
#include "reminders/reminder_manager_model.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int offset = (static_cast<int>(data[0]) - 128) * 15;
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const CalendarEventReading event = ReadCalendarEvent(input, offset);
    Require(event.summary.size() <= kEventTextLimit && event.description.size() <= kEventTextLimit);
    Require(event.alertLeads.size() <= kEventMostAlarms);
    for (const std::int64_t lead : event.alertLeads) Require(lead >= 0);
    Require(!event.hasStart || IsValidSystemTime(event.start));
    DescribeEventVersion(input, offset);

    SystemTime now = SystemTimeAt(2026, 12, 9, 20, 15);
    now.second = 17;
    ReminderList memos = {NewReminder(std::nullopt, false, now)};
    SyncState state;
    state.resources.push_back(SyncedResource{"/c/x.ics", "\"1\"", "h", true, "x"});
    const SyncChange conflict{SyncChangeKind::kConflict, "x", "", input, "/c/x.ics"};
    const ConflictResolved resolved = ResolveConflict(state, conflict, ConflictChoice::kKeepPhones, memos, now, offset);
    Require(resolved == ConflictResolved::kReminderAdded || resolved == ConflictResolved::kReminderUpdated);
    for (const Reminder& memo : memos) {
        const std::string text = ReminderText(memo);
        Require(text.size() <= kReminderMaxTextBytes);
        // The converter writes whole characters only, so a lead byte alone
        // would be one cut in two.
        for (std::size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) {
            Require(GbkCharLength(text, i) == 2 || !IsGbkLeadByte(static_cast<unsigned char>(text[i])));
        }
    }
    IcsExportChoices choices;
    choices.firstYear = 2026;
    choices.years = 2;
    Require(ExportIcs({}, {}, memos, nullptr, choices, {}).outcome == IcsOutcome::kWritten);
    return 0;
}
