#include "app/alert_state.h"

#include <gtest/gtest.h>

#include "tests/support/dates.h"
#include "tests/support/scratch_folder.h"

namespace {

TEST(AlertState, TheLastMinuteCheckedIsReadBackAsWritten) {
    const SystemTime written = At(2026, 12, 8, 7, 59, 41);
    const std::optional<SystemTime> read = ParseAlertState(AlertStateText(written));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(AlertStateText(*read), "LastChecked=2026-12-08 07:59\r\n");
    EXPECT_EQ(read->second, 0);
}

TEST(AlertState, AnythingButARealMinuteMeansNothingKnown) {
    for (const char* text : {"", "LastChecked=", "LastChecked=2026-12-08", "LastChecked=2026-02-30 08:00",
                             "LastChecked=2026-12-08 24:00", "LastChecked=2026-12-08 08:60",
                             "LastChecked=26-12-08 08:00", "LastChecked=2026-12-08T08:00", "Last=2026-12-08 08:00"}) {
        EXPECT_FALSE(ParseAlertState(text).has_value()) << text;
    }
    EXPECT_TRUE(ParseAlertState("\xEF\xBB\xBFLastChecked=2026-12-08 08:00").has_value()) << "saved by Notepad";
}

TEST(AlertState, TheFileIsReplacedWholeAndAMissingOneIsNothingKnown) {
    const ScratchFolder folder("alert-state-");
    const std::filesystem::path path = AlertStateFilePath(folder.path());
    EXPECT_FALSE(ReadAlertState(path).has_value());
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(WriteAlertState(path, At(2026, 12, 8, 7, 59)));
    ASSERT_TRUE(WriteAlertState(path, At(2026, 12, 8, 8, 0)));
    const std::optional<SystemTime> read = ReadAlertState(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->hour * 100 + read->minute, 800);
}

}  // namespace
