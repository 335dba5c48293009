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

#include "base/file_system.h"
#include "tests/support/reminder_samples.h"

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
    void TearDown() override { fs::remove_all(folder_); }
    static std::string Contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void Write(const std::string& contents) const { std::ofstream(path_, std::ios::binary) << contents; }
    ReminderList Load() const {
        ReminderList list = {Gregorian(ReminderRepeat::kNone, 2000, 1, 1)};  // loading replaces what was there
        LoadReminders(path_, list);
        return list;
    }
    std::vector<std::string> OtherFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            if (entry.path().filename() != "reminders.cfg") names.push_back(entry.path().filename().string());
        }
        return names;
    }
    const SystemTime now_ = At(2013, 2, 10, 8, 30, 5);
    fs::path folder_;
    std::string path_;
};

// The stored form of a record, computed here independently of the writer.
std::string StoredValue(const Reminder& r) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&r);
    std::string hex;
    unsigned sum = 0;
    char two[3];
    for (std::size_t i = 0; i <= sizeof r; ++i) {
        std::snprintf(two, sizeof two, "%02X", i < sizeof r ? bytes[i] : sum & 0xFF);
        if (i < sizeof r) sum += bytes[i];
        hex += two;
    }
    return hex;
}

ReminderList ThreeReminders() {
    Reminder first = Gregorian(ReminderRepeat::kDaily, 2013, 1, 10, 8, 0, "晨跑");
    first.firstAlert = ReminderAlert::k5Minutes;
    Reminder second = Lunar(ReminderRepeat::kYearly, 1980, 5, 12, 0, 0, "妈妈生日\r\n订蛋糕");
    EndRepeatAt(second, 2030, 1, 1, 0, 0);
    Reminder third = Gregorian(ReminderRepeat::kNone, 2013, 3, 1, 9, 30, "开会");
    third.start.milliseconds = 512;  // the clock's words travel along untouched
    third.content[100] = 'x';        // and so do bytes after the terminator
    return {first, second, third};
}

bool SameBytes(const ReminderList& a, const ReminderList& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::memcmp(&a[i], &b[i], sizeof a[i]) != 0) return false;
    }
    return true;
}

TEST_F(ReminderFileTest, ThreeRemindersSurviveSaveAndLoadByteForByteInOneItemsSection) {
    const ReminderList reminders = ThreeReminders();
    ASSERT_TRUE(SaveReminders(path_, reminders, now_));
    EXPECT_EQ(Contents(path_), "[ITEMS]\r\nItem0=" + StoredValue(reminders[0]) + "\r\nItem1=" +
                                   StoredValue(reminders[1]) + "\r\nItem2=" + StoredValue(reminders[2]) + "\r\n");
    EXPECT_EQ(StoredValue(reminders[0]).size(), 20114u);
    EXPECT_TRUE(SameBytes(Load(), reminders));
}

TEST_F(ReminderFileTest, AReminderOf9999TextBytesSurvivesUnchanged) {
    Reminder r = Gregorian(ReminderRepeat::kNone, 2013, 3, 1);
    std::string text;
    while (text.size() < 9998) text += "备";
    ASSERT_TRUE(SetReminderText(r, text + "!"));
    ASSERT_TRUE(SaveReminders(path_, {r}, now_));
    const ReminderList loaded = Load();
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(ReminderText(loaded[0]), text + "!");
}

TEST_F(ReminderFileTest, ADamagedRecordIsLeftOutAndEveryOtherKeptAcrossGaps) {
    const ReminderList reminders = ThreeReminders();
    const std::string first = "[ITEMS]\r\nItem0=" + StoredValue(reminders[0]) + "\r\n";
    std::string wrongSum = StoredValue(reminders[1]);
    wrongSum.back() = wrongSum.back() == '0' ? '1' : '0';
    for (const std::string& rest : {"Item1=" + StoredValue(reminders[1]).substr(0, 20112) + "\r\n",
                                    "Item1=" + wrongSum + "\r\n", std::string()}) {
        Write(first + rest + "Item2=" + StoredValue(reminders[2]) + "\r\n");
        FileBaseline loaded;
        ReminderList list;
        ASSERT_TRUE(LoadReminders(path_, list, &loaded));
        EXPECT_TRUE(SameBytes(list, {reminders[0], reminders[2]}));
        EXPECT_EQ(loaded.lossy, !rest.empty()) << "a gap alone loses nothing";
        EXPECT_EQ(loaded.skipped, rest.empty() ? 0u : 1u);
    }
    fs::remove(path_);
    EXPECT_TRUE(Load().empty());
    ReminderList list = reminders;
    LoadReminders((folder_ / "missing" / "reminders.cfg").string(), list);
    EXPECT_TRUE(list.empty());
}

// What a sync client's conflict copy or a hand merge makes of the file.
TEST_F(ReminderFileTest, DoubledSectionsAndKeysAreTheRemindersTheyHoldInFileOrder) {
    const ReminderList reminders = ThreeReminders();
    const std::string one = "Item0=" + StoredValue(reminders[0]) + "\r\nItem1=" + StoredValue(reminders[1]) + "\r\n";
    const std::string two = "Item0=" + StoredValue(reminders[2]) + "\r\n";
    const struct {
        const char* what;
        std::string file;
    } cases[] = {
        {"a second [ITEMS]", "[ITEMS]\r\n" + one + "[Other]\r\nItem5=x\r\n[items]\r\n" + two},
        {"keys repeated", "[ITEMS]\r\n" + one + two},
        {"LF line ends", "[ITEMS]\n" + one + two},
    };
    for (const auto& c : cases) {
        Write(c.file);
        EXPECT_TRUE(SameBytes(Load(), reminders)) << c.what;
    }
}

TEST_F(ReminderFileTest, AFileNotepadSavedAsUnicodeOrUtf8ReadsWholeAndIsCopiedBeforeTheSave) {
    const ReminderList reminders = ThreeReminders();
    ASSERT_TRUE(SaveReminders(path_, reminders, now_));
    const std::string gbk = Contents(path_);
    for (const TextFileEncoding encoding :
         {TextFileEncoding::kUtf16Le, TextFileEncoding::kUtf16Be, TextFileEncoding::kUtf8}) {
        const std::string saved = EncodeTextFile("; \xB1\xB8\xCD\xFC\r\n" + gbk, encoding, true);
        Write(saved);
        ReminderList list;
        FileBaseline loaded;
        ASSERT_TRUE(LoadReminders(path_, list, &loaded));
        EXPECT_TRUE(SameBytes(list, reminders));
        EXPECT_EQ(loaded.encoding, encoding);
        ReminderList more = list;
        more.push_back(Gregorian(ReminderRepeat::kNone, 2014, 1, 1));  // a quick add
        fs::path backup;
        ASSERT_TRUE(SaveReminders(path_, more, now_, &loaded, &backup));
        EXPECT_EQ(Contents(backup), saved);
        EXPECT_TRUE(SameBytes(Load(), more));
        fs::remove(backup);
    }
}

TEST_F(ReminderFileTest, AFileInNoReadableEncodingIsNeverSavedOver) {
    const std::string utf32 = std::string("\xFF\xFE\0\0[\0\0\0", 8);
    Write(utf32);
    ReminderList list;
    EXPECT_FALSE(LoadReminders(path_, list));
    EXPECT_FALSE(SaveReminders(path_, ThreeReminders(), now_));
    EXPECT_EQ(Contents(path_), utf32);
    EXPECT_TRUE(OtherFiles().empty());
}

// The largest file within the limit: nothing but line breaks. Read a line at
// a time, it costs its text and no object per line.
TEST_F(ReminderFileTest, AReminderFileAtItsLimitOfLineBreaksLoads) {
    Write("[ITEMS]\r\nItem0=" + StoredValue(ThreeReminders()[0]) + "\r\n" +
          std::string(kReminderFileLimit - 20200, '\n'));
    ReminderList list;
    ASSERT_TRUE(LoadReminders(path_, list));
    EXPECT_EQ(list.size(), 1u);
}

// Beyond the limit the month still shows and alerts the memos read, while
// the managers, which would save the list over the whole file, take none.
TEST_F(ReminderFileTest, AReminderFileBeyondItsLimitGivesTheMonthTheRecordsWithinIt) {
    const ReminderList reminders = ThreeReminders();
    const std::string first = "[ITEMS]\r\nItem0=" + StoredValue(reminders[0]) + "\r\n";
    Write(first + "Item1=" + StoredValue(reminders[1]) + "\r\nItem2=" + StoredValue(reminders[2]) + "\r\n");
    ReminderList list;
    EXPECT_EQ(ReadReminders(path_, list, first.size() + 20000), FileRead::kTooLarge);
    ASSERT_EQ(list.size(), 1u) << "the record crossing the limit is not taken in part";
    EXPECT_EQ(std::memcmp(&list[0], &reminders[0], sizeof(Reminder)), 0);
    EXPECT_EQ(ReadReminders(path_, list), FileRead::kRead);
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(ReadReminders(folder_ / "none.cfg", list), FileRead::kMissing);
    EXPECT_TRUE(list.empty());
}

TEST_F(ReminderFileTest, SavingAnEmptyListLeavesNoFile) {
    ASSERT_TRUE(SaveReminders(path_, ThreeReminders(), now_));
    ASSERT_TRUE(SaveReminders(path_, {}, now_));
    EXPECT_FALSE(fs::exists(path_));
    EXPECT_TRUE(OtherFiles().empty());
    EXPECT_TRUE(Load().empty());
    EXPECT_TRUE(SaveReminders(path_, {}, now_));  // nothing to remove is no failure
}

TEST_F(ReminderFileTest, SavingReplacesAReadOnlyFileButCreatesNoFolder) {
    ASSERT_TRUE(SaveReminders(path_, ThreeReminders(), now_));
    fs::permissions(path_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const ReminderList one = {Gregorian(ReminderRepeat::kNone, 2014, 1, 1)};
    ASSERT_TRUE(SaveReminders(path_, one, now_));
    EXPECT_TRUE(SameBytes(Load(), one));
    EXPECT_FALSE(SaveReminders((folder_ / "Reminders" / "reminders.cfg").string(), one, now_));
    EXPECT_FALSE(fs::exists(folder_ / "Reminders"));
}

TEST_F(ReminderFileTest, RecordsLoadingCouldNotTakeInAreKeptInADatedCopyBeforeTheNextSave) {
    const ReminderList reminders = ThreeReminders();
    const std::string damaged = "[ITEMS]\r\nItem0=" + StoredValue(reminders[0]) +
                                "\r\nItem1=BAD\r\nItem2=" + StoredValue(reminders[2]) + "\r\n";
    Write(damaged);
    ASSERT_TRUE(SaveReminders(path_, Load(), now_));
    EXPECT_EQ(OtherFiles(), std::vector<std::string>{"reminders.cfg.20130210-083005.bak"});
    EXPECT_EQ(Contents(folder_ / "reminders.cfg.20130210-083005.bak"), damaged);
    EXPECT_TRUE(SameBytes(Load(), {reminders[0], reminders[2]}));

    ASSERT_TRUE(SaveReminders(path_, reminders, now_));  // a healthy file needs no copy
    EXPECT_EQ(OtherFiles().size(), 1u);

    const std::string doubled = "[ITEMS]\r\nItem0=" + StoredValue(reminders[0]) + "\r\nItem0=BAD\r\n";
    Write(doubled);
    ASSERT_TRUE(SaveReminders(path_, {}, now_));  // the same second: the copy gets a name of its own
    EXPECT_EQ(Contents(folder_ / "reminders.cfg.20130210-083005-2.bak"), doubled);
    EXPECT_FALSE(fs::exists(path_));
}

TEST_F(ReminderFileTest, AFileThatIsThereButUnreadableIsReportedAndNeverSavedOver) {
    fs::create_directories(path_);  // as unreadable as a locked file, on every system
    ReminderList list = ThreeReminders();
    EXPECT_FALSE(LoadReminders(path_, list));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(SaveReminders(path_, ThreeReminders(), now_));
    EXPECT_TRUE(fs::is_directory(path_));

    fs::remove(path_);
    EXPECT_TRUE(LoadReminders(path_, list)) << "a missing file is no failure";
}

TEST_F(ReminderFileTest, AFileChangedSinceLoadingIsCopiedBeforeTheSaveAndTheCopyNamed) {
    const ReminderList reminders = ThreeReminders();
    ASSERT_TRUE(SaveReminders(path_, reminders, now_));
    ReminderList list;
    FileBaseline loaded;
    ASSERT_TRUE(LoadReminders(path_, list, &loaded));

    fs::path backup = "stale";
    ASSERT_TRUE(SaveReminders(path_, list, now_, &loaded, &backup));
    EXPECT_TRUE(backup.empty()) << "the file as loaded needs no copy";
    EXPECT_TRUE(OtherFiles().empty());

    // Someone re-saved the file meanwhile (here: one memo fewer, still valid).
    const std::string edited = "[ITEMS]\r\nItem0=" + StoredValue(reminders[2]) + "\r\n";
    Write(edited);
    ASSERT_TRUE(SaveReminders(path_, list, now_, &loaded, &backup));
    EXPECT_EQ(backup, fs::path(path_ + ".20130210-083005.bak"));
    EXPECT_EQ(Contents(backup), edited);
    EXPECT_TRUE(SameBytes(Load(), reminders));
}

// A save that cannot complete (disk full, file locked) leaves the old memos.
TEST_F(ReminderFileTest, AFailedWriteLeavesTheOldFileIntact) {
    ASSERT_TRUE(SaveReminders(path_, ThreeReminders(), now_));
    const std::string before = Contents(path_);
    const ReminderList other(4, Gregorian(ReminderRepeat::kNone, 2014, 1, 1));
#ifdef _WIN32
    // Another program holding the file without sharing it stops the rename.
    int locked = -1;
    ASSERT_EQ(_sopen_s(&locked, path_.c_str(), _O_RDONLY | _O_BINARY, _SH_DENYRW, 0), 0);
    const bool saved = SaveReminders(path_, other, now_);
    _close(locked);
#else
    // A file-size limit makes the write fail part-way, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = SaveReminders(path_, other, now_);
    setrlimit(RLIMIT_FSIZE, &old);
#endif
    EXPECT_FALSE(saved);
    EXPECT_EQ(Contents(path_), before);
    EXPECT_TRUE(OtherFiles().empty());  // no temporary file is left behind either
}

}  // namespace
