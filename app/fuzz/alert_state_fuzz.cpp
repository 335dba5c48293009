// libFuzzer target: the alert state file as the program reads it at start.
//
// Whatever the file holds, reading it keeps at most the alerts the program
// keeps, and what was read, written out again, reads back as the same state
// and the same text: a snoozed alert's memo text comes through its escaping
// byte for byte, whatever bytes it holds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/alert_state.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool SameMinute(const SystemTime& a, const SystemTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute;
}

void RequireSame(const AlertState& a, const AlertState& b) {
    Require(a.lastChecked.has_value() == b.lastChecked.has_value());
    if (a.lastChecked) Require(SameMinute(*a.lastChecked, *b.lastChecked));
    Require(a.snoozed.size() == b.snoozed.size());
    for (std::size_t i = 0; i < a.snoozed.size(); ++i) {
        Require(SameMinute(a.snoozed[i].due, b.snoozed[i].due));
        Require(SameMinute(a.snoozed[i].alert.occurrence, b.snoozed[i].alert.occurrence));
        Require(a.snoozed[i].alert.text == b.snoozed[i].alert.text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const AlertState state = ParseAlertState(text);
    Require(state.snoozed.size() <= kMostSnoozedAlerts);
    const std::string written = AlertStateText(state);
    const AlertState again = ParseAlertState(written);
    RequireSame(state, again);
    Require(AlertStateText(again) == written);

    // The input as a memo's text (which never holds a NUL).
    std::string reminder;
    for (const char c : text) {
        if (c != '\0') reminder += c;
    }
    const SystemTime minute = SystemTimeAt(2026, 12, 9, 8, 0);
    const AlertState one{minute, {SnoozedAlert{minute, DueAlert{minute, reminder}}}};
    const AlertState read = ParseAlertState(AlertStateText(one));
    RequireSame(one, read);
    return 0;
}
