#include "export/ics_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/data_paths.h"
#include "base/file_system.h"
#include "base/text_encoding.h"
#include "reminders/reminder_file.h"
#include "tests/support/reminder_samples.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

// The file's text, UTF-8, against a GBK literal of these sources.
bool Holds(const std::string& text, const std::string& gbk) { return text.find(Utf8FromGbk(gbk)) != std::string::npos; }

std::string Contents(const fs::path& file) {
    std::string text;
    if (!ReadWholeFile(file, text)) return "(unreadable)";
    return text;
}

// An installation with one memo and no festival file, and the calendar file
// it keeps in a folder of its own, as a synced folder would be.
class SubscribedIcsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder_ / "Reminders");
        fs::create_directories(synced_);
        Save({Gregorian(ReminderRepeat::kNone, 2026, 12, 24, 19, 0, "平安夜聚餐")});
        subscription_.keepUpdated = true;
        subscription_.file = synced_ / "calendar.ics";
        subscription_.choices.years = 2;
    }
    void Save(const ReminderList& reminders) { ASSERT_TRUE(SaveReminders(ReminderFilePath(folder_), reminders)); }
    IcsFileWrite Write() { return WriteSubscribedIcs(folder_, subscription_, 2026, IcsStamp{2026, 12, 9, 12, 0, 0}); }

    ScratchFolder scratch_{"solvane-subscribed-"};
    const fs::path folder_ = scratch_.path() / "install";
    const fs::path synced_ = scratch_.path() / "synced";
    IcsSubscription subscription_;
};

TEST_F(SubscribedIcsTest, EachWriteHoldsTheMemosAsSavedThenAndLeavesNothingBeside) {
    ASSERT_EQ(Write(), IcsFileWrite::kWritten);
    EXPECT_TRUE(Holds(Contents(subscription_.file), "SUMMARY:平安夜聚餐"));
    Save({Gregorian(ReminderRepeat::kNone, 2026, 12, 24, 19, 0, "平安夜聚餐"),
          Gregorian(ReminderRepeat::kNone, 2027, 1, 1, 10, 0, "元旦爬山")});
    ASSERT_EQ(Write(), IcsFileWrite::kWritten);
    const std::string text = Contents(subscription_.file);
    EXPECT_TRUE(Holds(text, "SUMMARY:元旦爬山"));
    EXPECT_NE(text.find("DTSTART:20270101T100000"), std::string::npos) << "the years chosen run from this year";
    EXPECT_EQ(ListFolder(synced_).size(), 1u) << "no temporary file is left beside it";
}

// The calendar file stays as it last was whenever a new one cannot be made
// whole, and the next write succeeds once the cause is gone.
TEST_F(SubscribedIcsTest, AFailedWriteLeavesTheLastGoodFile) {
    ASSERT_EQ(Write(), IcsFileWrite::kWritten);
    const std::string good = Contents(subscription_.file);
    Save({Gregorian(ReminderRepeat::kNone, 2026, 12, 31, 20, 0, "跨年")});

    const fs::path reminders = ReminderFilePath(folder_);
    fs::rename(reminders, folder_ / "aside");
    fs::create_directories(reminders);  // there, but it cannot be read (locked)
    EXPECT_EQ(Write(), IcsFileWrite::kNotRead);
    EXPECT_EQ(Contents(subscription_.file), good) << "a memo file locked now never empties the calendar file";
    fs::remove(reminders);
    fs::rename(folder_ / "aside", reminders);

    IcsSubscription gone = subscription_;
    gone.file = scratch_.path() / "no such folder" / "calendar.ics";
    EXPECT_EQ(WriteSubscribedIcs(folder_, gone, 2026, IcsStamp{}), IcsFileWrite::kUnwritable);
    EXPECT_FALSE(PathExists(gone.file.parent_path())) << "a folder that is gone is not made again";

    IcsSubscription tooMany = subscription_;
    tooMany.choices.years = 100;
    ReminderList daily(60, Gregorian(ReminderRepeat::kNone, 2026, 1, 1, 8, 0, "x"));
    for (std::size_t i = 0; i < daily.size(); ++i) daily[i].start.minute = static_cast<std::uint16_t>(i);
    for (Reminder& r : daily) SetRepetition(r, ReminderRepeat::kWorkdays);
    Save(daily);
    EXPECT_EQ(WriteSubscribedIcs(folder_, tooMany, 2026, IcsStamp{}), IcsFileWrite::kTooLarge);
    EXPECT_EQ(Contents(subscription_.file), good);

    Save({Gregorian(ReminderRepeat::kNone, 2026, 12, 31, 20, 0, "跨年")});
    ASSERT_EQ(Write(), IcsFileWrite::kWritten);
    EXPECT_TRUE(Holds(Contents(subscription_.file), "SUMMARY:跨年"));
}

}  // namespace
