#include "reminders/reminder_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

#include "reminders/tests/reminder_samples.h"

namespace {

namespace fs = std::filesystem;

class ReminderFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("solvane-memos-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        path_ = (folder_ / "reminders.cfg").string();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::all, ignored);
        fs::remove_all(folder_, ignored);
    }
    std::string Contents(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void Write(const std::string& contents) const { std::ofstream(path_, std::ios::binary) << contents; }
    std::vector<std::string> Backups() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            const std::string name = entry.path().filename().string();
            if (name != "reminders.cfg") names.push_back(name);
        }
        return names;
    }
    static SystemTime Now() {
        SystemTime t = MakeDate(2013, 2, 10);
        t.hour = 8;
        t.minute = 30;
        t.second = 5;
        return t;
    }
    fs::path folder_;
    std::string path_;
};

// The stored form of a record, computed here independently of the writer.
std::string StoredValue(const Reminder& r) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&r);
    std::string hex;
    unsigned sum = 0;
    char two[3];
    for (std::size_t i = 0; i < sizeof r; ++i) {
        std::snprintf(two, sizeof two, "%02X", bytes[i]);
        hex += two;
        sum += bytes[i];
    }
    std::snprintf(two, sizeof two, "%02X", sum & 0xFF);
    return hex + two;
}

ReminderList ThreeMemos() {
    Reminder first = Gregorian(kRepeatDaily, 2013, 1, 10, 8, 0, "晨跑");
    first.firstAlert = kAlert5Minutes;
    first.category = kCategoryPersonal;
    Reminder second = Lunar(kRepeatYearly, 1980, 5, 12, 0, 0, "妈妈生日\n订蛋糕");
    EndRepeatAt(second, 2030, 1, 1, 0, 0);
    second.secondAlert = kAlert1Day;
    Reminder third = Gregorian(kRepeatNone, 2013, 3, 1, 9, 30, "开会");
    third.start.second = 41;  // the clock's words travel along untouched
    third.start.milliseconds = 512;
    third.content[100] = 'x';  // bytes after the terminator too
    return {first, second, third};
}

bool SameBytes(const ReminderList& a, const ReminderList& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::memcmp(&a[i], &b[i], sizeof a[i]) != 0) return false;
    }
    return true;
}

TEST_F(ReminderFileTest, ThreeMemosSurviveSaveAndLoadByteForByteInOrder) {
    const ReminderList memos = ThreeMemos();
    ASSERT_TRUE(SaveReminders(path_, memos, Now()));
    ReminderList loaded = {Gregorian(kRepeatNone, 2000, 1, 1)};  // loading replaces what was there
    LoadReminders(path_, loaded);
    EXPECT_TRUE(SameBytes(loaded, memos));
}

TEST_F(ReminderFileTest, IsOneItemsSectionWithChecksummedValuesOf20114Digits) {
    const ReminderList memos = ThreeMemos();
    ASSERT_TRUE(SaveReminders(path_, memos, Now()));
    const std::string expected = "[ITEMS]\r\nItem0=" + StoredValue(memos[0]) + "\r\nItem1=" + StoredValue(memos[1]) +
                                 "\r\nItem2=" + StoredValue(memos[2]) + "\r\n";
    EXPECT_EQ(Contents(path_), expected);
    EXPECT_EQ(StoredValue(memos[0]).size(), 20114u);
}

TEST_F(ReminderFileTest, ReadsAFileWrittenByTheProfileFunctionsOfWindows) {
    const ReminderList memos = ThreeMemos();
    Write("[ITEMS]\r\nItem0=" + StoredValue(memos[0]) + "\r\nitem1 = " + StoredValue(memos[1]) + "\r\n");
    ReminderList loaded;
    LoadReminders(path_, loaded);
    EXPECT_TRUE(SameBytes(loaded, {memos[0], memos[1]}));
}

TEST_F(ReminderFileTest, AMemoOf9999TextBytesSurvivesUnchanged) {
    Reminder r = Gregorian(kRepeatNone, 2013, 3, 1);
    std::string text;
    while (text.size() < 9998) text += "备";
    text += "!";
    ASSERT_TRUE(SetReminderText(r, text));
    ASSERT_TRUE(SaveReminders(path_, {r}, Now()));
    ReminderList loaded;
    LoadReminders(path_, loaded);
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(ReminderText(loaded[0]), text);
}

TEST_F(ReminderFileTest, LoadingStopsAtAValueWithoutItsChecksum) {
    const ReminderList memos = ThreeMemos();
    Write("[ITEMS]\r\nItem0=" + StoredValue(memos[0]) + "\r\nItem1=" + StoredValue(memos[1]).substr(0, 20112) +
          "\r\nItem2=" + StoredValue(memos[2]) + "\r\n");
    ReminderList loaded;
    LoadReminders(path_, loaded);
    EXPECT_TRUE(SameBytes(loaded, {memos[0]}));
}

TEST_F(ReminderFileTest, LoadingStopsAtAWrongChecksumOrAGapInTheNumbers) {
    const ReminderList memos = ThreeMemos();
    std::string damaged = StoredValue(memos[1]);
    damaged[20113] = damaged[20113] == '0' ? '1' : '0';
    Write("[ITEMS]\r\nItem0=" + StoredValue(memos[0]) + "\r\nItem1=" + damaged + "\r\n");
    ReminderList loaded;
    LoadReminders(path_, loaded);
    EXPECT_EQ(loaded.size(), 1u);

    Write("[ITEMS]\r\nItem0=" + StoredValue(memos[0]) + "\r\nItem2=" + StoredValue(memos[2]) + "\r\n");
    LoadReminders(path_, loaded);
    EXPECT_EQ(loaded.size(), 1u);
}

TEST_F(ReminderFileTest, AMissingFileOrFolderGivesAnEmptyList) {
    ReminderList loaded = ThreeMemos();
    LoadReminders(path_, loaded);
    EXPECT_TRUE(loaded.empty());
    loaded = ThreeMemos();
    LoadReminders((folder_ / "missing" / "reminders.cfg").string(), loaded);
    EXPECT_TRUE(loaded.empty());
}

TEST_F(ReminderFileTest, SavingAnEmptyListLeavesNoFile) {
    ASSERT_TRUE(SaveReminders(path_, ThreeMemos(), Now()));
    ASSERT_TRUE(SaveReminders(path_, {}, Now()));
    EXPECT_FALSE(fs::exists(path_));
    EXPECT_TRUE(Backups().empty());
    ReminderList loaded = ThreeMemos();
    LoadReminders(path_, loaded);
    EXPECT_TRUE(loaded.empty());
    EXPECT_TRUE(SaveReminders(path_, {}, Now()));  // nothing to remove is no failure
}

TEST_F(ReminderFileTest, SavingReplacesAReadOnlyFile) {
    ASSERT_TRUE(SaveReminders(path_, ThreeMemos(), Now()));
    fs::permissions(path_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const ReminderList one = {Gregorian(kRepeatNone, 2014, 1, 1)};
    ASSERT_TRUE(SaveReminders(path_, one, Now()));
    ReminderList loaded;
    LoadReminders(path_, loaded);
    EXPECT_TRUE(SameBytes(loaded, one));
}

TEST_F(ReminderFileTest, SavingIntoAMissingFolderFailsWithoutCreatingIt) {
    EXPECT_FALSE(SaveReminders((folder_ / "Reminders" / "reminders.cfg").string(), ThreeMemos(), Now()));
    EXPECT_FALSE(fs::exists(folder_ / "Reminders"));
}

TEST_F(ReminderFileTest, RecordsAfterADamagedKeyAreKeptInADatedCopyBeforeTheNextSave) {
    const ReminderList memos = ThreeMemos();
    const std::string original = "[ITEMS]\r\nItem0=" + StoredValue(memos[0]) + "\r\nItem1=BAD\r\nItem2=" +
                                 StoredValue(memos[2]) + "\r\n";
    Write(original);
    ReminderList loaded;
    LoadReminders(path_, loaded);
    ASSERT_EQ(loaded.size(), 1u);
    ASSERT_TRUE(SaveReminders(path_, loaded, Now()));

    ASSERT_EQ(Backups(), std::vector<std::string>{"reminders.cfg.20130210-083005.bak"});
    EXPECT_EQ(Contents((folder_ / "reminders.cfg.20130210-083005.bak").string()), original);
    LoadReminders(path_, loaded);
    EXPECT_TRUE(SameBytes(loaded, {memos[0]}));

    // The file is sound now: later saves keep no more copies.
    ASSERT_TRUE(SaveReminders(path_, memos, Now()));
    EXPECT_EQ(Backups().size(), 1u);
}

TEST_F(ReminderFileTest, RecordsAfterAGapAreKeptToo) {
    const ReminderList memos = ThreeMemos();
    Write("[ITEMS]\r\nItem0=" + StoredValue(memos[0]) + "\r\nItem2=" + StoredValue(memos[2]) + "\r\n");
    ASSERT_TRUE(SaveReminders(path_, {}, Now()));
    EXPECT_EQ(Backups().size(), 1u);
    EXPECT_FALSE(fs::exists(path_));
}

TEST_F(ReminderFileTest, TwoCopiesInTheSameSecondGetDifferentNames) {
    Write("[ITEMS]\r\nItem0=BAD\r\n");
    ASSERT_TRUE(SaveReminders(path_, ThreeMemos(), Now()));
    Write("[ITEMS]\r\nItem0=WORSE\r\n");
    ASSERT_TRUE(SaveReminders(path_, ThreeMemos(), Now()));
    EXPECT_EQ(Contents((folder_ / "reminders.cfg.20130210-083005-2.bak").string()), "[ITEMS]\r\nItem0=WORSE\r\n");
}

TEST_F(ReminderFileTest, AHealthyFileIsSavedOverWithoutACopy) {
    ASSERT_TRUE(SaveReminders(path_, ThreeMemos(), Now()));
    ASSERT_TRUE(SaveReminders(path_, {ThreeMemos()[1]}, Now()));
    EXPECT_TRUE(Backups().empty());
}

// A save that cannot complete (disk full, file locked) leaves the old memos.
TEST_F(ReminderFileTest, AFailedWriteLeavesTheOldFileIntact) {
    const ReminderList memos = ThreeMemos();
    ASSERT_TRUE(SaveReminders(path_, memos, Now()));
    const std::string before = Contents(path_);
    const ReminderList other = {Gregorian(kRepeatNone, 2014, 1, 1), Gregorian(kRepeatNone, 2014, 1, 2),
                                Gregorian(kRepeatNone, 2014, 1, 3), Gregorian(kRepeatNone, 2014, 1, 4)};
#ifdef _WIN32
    // Another program holding the file without sharing it stops the rename.
    int locked = -1;
    ASSERT_EQ(_sopen_s(&locked, path_.c_str(), _O_RDONLY | _O_BINARY, _SH_DENYRW, 0), 0);
    const bool saved = SaveReminders(path_, other, Now());
    _close(locked);
#else
    // A file-size limit makes the write fail part-way, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = SaveReminders(path_, other, Now());
    setrlimit(RLIMIT_FSIZE, &old);
#endif
    EXPECT_FALSE(saved);
    EXPECT_EQ(Contents(path_), before);
    EXPECT_TRUE(Backups().empty());  // and no temporary file is left behind
}

}  // namespace
