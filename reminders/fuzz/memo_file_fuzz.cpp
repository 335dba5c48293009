// libFuzzer target: memo files from arbitrary bytes.
//
// Whatever the bytes (any encoding, doubled sections, damaged keys), reading
// must stay inside its buffers, and the records read must come back
// unchanged, in order, after they are written and read again.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/profile_file.h"
#include "reminders/reminder_file.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReminderList list;
    FileBaseline loaded;
    if (!ParseReminderFile(std::string(reinterpret_cast<const char*>(data), size), list, &loaded)) return 0;
    Require(loaded.kept == list.size());
    ProfileDocument written;
    for (std::size_t i = 0; i < list.size(); ++i) {
        Require(ProfilePutStruct(kReminderSection, "Item" + std::to_string(i), &list[i], sizeof list[i], written));
    }
    ReminderList again;
    FileBaseline reread;
    Require(ParseReminderFile(written.Text(), again, &reread));
    Require(again.size() == list.size() && reread.skipped == 0 && !reread.lossy);
    for (std::size_t i = 0; i < list.size(); ++i) Require(std::memcmp(&list[i], &again[i], sizeof list[i]) == 0);
    return 0;
}
