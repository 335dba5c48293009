#include "app/alert_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "tests/support/dates.h"
#include "tests/support/scratch_folder.h"

namespace {

AlertState Checked(const SystemTime& t) { return AlertState{t, {}}; }

std::string MinuteText(const SystemTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

SnoozedAlert Snoozed(const SystemTime& due, const SystemTime& occurrence, const std::string& text) {
    return SnoozedAlert{due, DueAlert{occurrence, text}};
}

TEST(AlertState, TheLastMinuteCheckedIsReadBackAsWritten) {
    const SystemTime written = At(2026, 12, 8, 7, 59, 41);
    const std::optional<SystemTime> read = ParseAlertState(AlertStateText(Checked(written))).lastChecked;
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(AlertStateText(Checked(*read)), "LastChecked=2026-12-08 07:59\r\n");
    EXPECT_EQ(read->second, 0);
}

TEST(AlertState, AnythingButARealMinuteMeansNothingKnown) {
    for (const char* text : {"", "LastChecked=", "LastChecked=2026-12-08", "LastChecked=2026-02-30 08:00",
                             "LastChecked=2026-12-08 24:00", "LastChecked=2026-12-08 08:60",
                             "LastChecked=26-12-08 08:00", "LastChecked=2026-12-08T08:00", "Last=2026-12-08 08:00"}) {
        EXPECT_FALSE(ParseAlertState(text).lastChecked.has_value()) << text;
    }
    EXPECT_TRUE(ParseAlertState("\xEF\xBB\xBFLastChecked=2026-12-08 08:00").lastChecked.has_value())
        << "saved by Notepad";
}

// Texts the memo editor can store: double-byte characters whose trail byte
// is "\" (0x5C) or "|" (0x7C), line breaks, backslashes, and the odd bytes a
// damaged record may hold.
TEST(AlertState, SnoozedAlertsComeBackWithTheirTextsByteForByte) {
    const struct {
        const char* why;
        std::string text;
    } cases[] = {
        {"plain", "晨会"},
        {"a trail byte that looks like a backslash", "\x95\x5C\x5C"},  // 昞 then a real "\"
        {"a trail byte that looks like a bar", "\x81\x7C|"},
        {"line breaks", "第一行\r\n第二行\n"},
        {"escapes typed as text", "C:\\new\\x41"},
        {"a lead byte alone at the end", "末尾\x81"},
        {"a lead byte before a backslash, a character of the two", "\x81\\n"},
        {"a lead byte alone before a line break", "\x81\n"},
        {"empty", ""},
    };
    AlertState state{At(2026, 12, 9, 8, 5), {}};
    for (const auto& c : cases) state.snoozed.push_back(Snoozed(At(2026, 12, 9, 8, 10), At(2026, 12, 9, 8, 0), c.text));
    const std::string file = AlertStateText(state);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 1 + static_cast<long>(std::size(cases)))
        << "one line per alert";
    const AlertState read = ParseAlertState(file);
    ASSERT_EQ(read.snoozed.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(read.snoozed[i].alert.text, cases[i].text) << cases[i].why;
        EXPECT_EQ(MinuteText(read.snoozed[i].due), "2026-12-09 08:10") << cases[i].why;
        EXPECT_EQ(MinuteText(read.snoozed[i].alert.occurrence), "2026-12-09 08:00") << cases[i].why;
    }
    EXPECT_EQ(AlertStateText(read), file);
}

TEST(AlertState, AnOlderReaderFindsItsLineFirstAndDamagedSnoozedLinesAreLeftOut) {
    AlertState state{At(2026, 12, 9, 8, 5), {Snoozed(At(2026, 12, 9, 8, 10), At(2026, 12, 9, 8, 0), "晨会")}};
    const std::string file = AlertStateText(state);
    EXPECT_EQ(file.rfind("LastChecked=2026-12-09 08:05\r\n", 0), 0u);
    EXPECT_EQ(file.substr(file.find('\n') + 1), "Snoozed=2026-12-09 08:10|2026-12-09 08:00|晨会\r\n");
    const AlertState read = ParseAlertState(
        "Snoozed=2026-12-09 08:10|2026-12-09 08:00|ok\r\n"
        "Snoozed=2026-02-30 08:10|2026-12-09 08:00|no such day\r\n"
        "Snoozed=2026-12-09 08:10|2026-12-09|cut short\r\n"
        "Snoozed=2026-12-09 08:10|2026-12-09 08:00|bad escape \\q\r\n"
        "Snoozed=2026-12-09 08:10|2026-12-09 08:00|a NUL \\x00\r\n"
        "Snoozed=2026-12-09 08:10|2026-12-09 08:00|cut escape \\\r\n");
    ASSERT_EQ(read.snoozed.size(), 1u);
    EXPECT_EQ(read.snoozed[0].alert.text, "ok");
    EXPECT_FALSE(read.lastChecked.has_value());
}

TEST(AlertState, TheFileIsReplacedWholeAndAMissingOneIsNothingKnown) {
    const ScratchFolder folder("alert-state-");
    const std::filesystem::path path = AlertStateFilePath(folder.path());
    EXPECT_FALSE(ReadAlertState(path).lastChecked.has_value());
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(
        WriteAlertState(path, {At(2026, 12, 8, 7, 59), {Snoozed(At(2026, 12, 8, 8, 5), At(2026, 12, 8, 8, 0), "a")}}));
    ASSERT_TRUE(WriteAlertState(path, Checked(At(2026, 12, 8, 8, 0))));
    const AlertState read = ReadAlertState(path);
    ASSERT_TRUE(read.lastChecked.has_value());
    EXPECT_EQ(read.lastChecked->hour * 100 + read.lastChecked->minute, 800);
    EXPECT_TRUE(read.snoozed.empty());
}

}  // namespace
