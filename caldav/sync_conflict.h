// What the user does about a conflict of the calendar sync: an event of ours
// that was changed or deleted on the phone since the last sync is never
// written over unasked, so it stays a conflict until the user chooses.
//  - Put ours back: the state forgets what it wrote there, so the next sync
//    writes the program's version over the phone's, conditional on the ETag
//    it last read (or makes it anew, when deleted there). A phone edit made
//    again in the meantime fails that condition and is a conflict again.
//  - Keep the phone's: the phone's version becomes the memo it came from (or a
//    new one-off memo, when it was no memo's or that memo is gone; a deletion
//    there of a memo's whole event deletes the memo), then the state forgets as above, so the next
//    sync makes the server say what the memo file now says: nothing twice,
//    nothing lost.
#pragma once

#include <string>

#include "caldav/calendar_sync.h"
#include "caldav/sync_state.h"
#include "calendar/gregorian.h"
#include "reminders/reminder.h"

enum class ConflictChoice { kPutOursBack, kKeepPhones };

enum class ConflictResolved {
    kPutBack,          // the state alone changed
    kReminderUpdated,  // the memo list changed too: it is to be saved
    kReminderAdded,
    kReminderDeleted,
    kNotOffered,  // keeping a deletion of no memo's event: nothing done
    kNoConflict,  // the state holds no such conflict (already resolved): nothing done
};

// Whether keeping the phone's version is offered: always for a change made
// there; for a deletion only when the event is a memo's whole event (a
// festival's occurrence, or one day of a memo written day by day, stays
// until its rule is changed).
bool CanKeepPhoneVersion(const SyncChange& conflict, const ReminderList& reminders);

// Applies the choice to the state and, for kKeepPhones, to the memo list.
// `now` is the clock's reading (a new memo is stamped with it, as the editor
// stamps one); `localOffsetMinutes` east of UTC turns the phone's times into
// this machine's.
ConflictResolved ResolveConflict(SyncState& state, const SyncChange& conflict, ConflictChoice choice,
                                 ReminderList& reminders, const SystemTime& now, int localOffsetMinutes);

// One version of an event as the conflict dialog shows it, GBK: the title,
// "2027-01-05 09:00" (or "2027-01-05 全天"), the note beyond the title, and
// the alerts ("15分钟之前、1天之前", "无").
struct EventVersionText {
    std::string title, when, note, alerts;
};
EventVersionText DescribeEventVersion(const std::string& objectText, int localOffsetMinutes);
