// Any bytes as the festival file and memo records handed to the calendar-file
// export. Whatever they hold, the export stays within its buffers and its
// limits: no more than the stated events and bytes, and a file it gives is
// whole (every line at most 75 octets, each ending in CR LF, valid UTF-8).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "almanac/solar_term_lookup.h"
#include "base/text_encoding.h"
#include "export/ics_export.h"
#include "festivals/festival_file.h"
#include "reminders/reminder.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

class SomeDaysATerm : public SolarTermLookup {
public:
    std::string SolarTermOn(const Date& date) override {
        static const char* const kTerms[] = {"", "\xB6\xAC\xD6\xC1", "", "\xC7\xE5\xC3\xF7"};
        return date.day() % 15 == 1 ? kTerms[date.month() % 4] : "";
    }
};

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::string Bytes(std::size_t count) {
        const std::size_t n = std::min(count, size_ - pos_);
        std::string out(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return out;
    }
    bool Done() const { return pos_ >= size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// A memo from a few bytes: the two times word by word, the codes, the text.
Reminder ReminderFrom(Input& in) {
    Reminder reminder;
    const std::string times = in.Bytes(32);
    std::memcpy(&reminder.start, times.data(), std::min<std::size_t>(times.size(), 32));
    reminder.setHasRepeatEnd((in.Byte() & 1) != 0);
    reminder.category = static_cast<ReminderCategory>(in.Byte() % 6);
    reminder.repeat = static_cast<ReminderRepeat>(static_cast<std::int8_t>(in.Byte()));
    reminder.firstAlert = static_cast<ReminderAlert>(static_cast<std::int8_t>(in.Byte()));
    reminder.secondAlert = static_cast<ReminderAlert>(static_cast<std::int8_t>(in.Byte()));
    reminder.calendar = static_cast<ReminderCalendar>(static_cast<std::int8_t>(in.Byte()) % 3);
    SetReminderText(reminder, in.Bytes(in.Byte()));
    return reminder;
}

bool IsWholeFile(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos || end - pos > 75) return false;
        const std::string line = text.substr(pos, end - pos);
        if (line.find_first_of("\r\n") != std::string::npos) return false;
        pos = end + 2;
    }
    return IsValidUtf8(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const std::uint8_t switches = in.Byte();
    IcsExportChoices choices;
    choices.festivals = switches & 1;
    choices.reminders = switches & 2;
    choices.solarTerms = switches & 4;
    choices.ownFestivalsOnly = switches & 8;
    // Any first year, a few years: long runs are the tests' business.
    choices.firstYear = 1890 + in.Byte() + (switches & 16 ? 0 : 100);
    choices.years = 1 + in.Byte() % 3;
    const std::size_t festivalBytes = in.Byte() * 8;
    const FestivalList festivals = ParseFestivalFile(in.Bytes(festivalBytes));
    ReminderList reminders;
    while (!in.Done() && reminders.size() < 8) reminders.push_back(ReminderFrom(in));

    SomeDaysATerm terms;
    int calls = 0;
    const IcsExport result = ExportIcs(festivals, festivals.empty() ? FestivalList{} : FestivalList{festivals[0]},
                                       reminders, &terms, choices, IcsStamp{2026, 12, 8, 10, 0, 0}, [&](int permille) {
                                           Check(permille >= 0 && permille <= 1000);
                                           return ++calls < 100000;
                                       });
    Check(result.events >= 0 && result.events <= kIcsMaxEvents);
    Check(result.text.size() <= kIcsMaxBytes + 4096);
    if (result.outcome == IcsOutcome::kWritten) {
        Check(IsWholeFile(result.text));
    } else {
        Check(result.text.empty());
    }
    return 0;
}
