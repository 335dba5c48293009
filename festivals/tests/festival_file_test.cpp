#include "festivals/festival_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_system.h"
#include "tests/support/dates.h"
#include "tests/support/festival_samples.h"
#include "tests/support/scratch_folder.h"

namespace {

FestivalRule Rule(const std::string& calendar, const std::string& kind, const std::string& dateRule,
                  const std::string& name, const std::string& startYear = "") {
    return FestivalSample(calendar, dateRule).Kind(kind).Name(name).StartYear(startYear);
}

class FestivalFileTest : public ::testing::Test {
protected:
    void SetUp() override { path_ = (folder_ / "holidays.cfg").string(); }

    void Write(const std::string& contents) { ASSERT_TRUE(ReplaceFileAtomically(path_, contents)); }
    std::string Read() const {
        std::string contents;
        EXPECT_TRUE(ReadWholeFile(path_, contents));
        return contents;
    }
    FestivalList Load() const {
        FestivalList list{Rule("YL", "JR", "1-1", "stale")};
        LoadFestivals(path_, list);
        return list;
    }

    ScratchFolder scratch_{"solvane-festivals-"};
    const std::filesystem::path& folder_ = scratch_.path();
    std::string path_;
};

TEST_F(FestivalFileTest, LinesLoadIntoRulesInFileOrder) {
    Write("YL,JR,10-1,国庆节,,,,1,1,1\r\nNL,SR,8-15,妈妈的生日,1980,2030-1-1,C:\\声音\\提醒.wav,0,1,0\r\n");
    const FestivalList list = Load();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, "国庆节");
    const FestivalRule& birthday = list[1];
    EXPECT_EQ(birthday.calendar, "NL");
    EXPECT_EQ(birthday.kind, "SR");
    EXPECT_EQ(birthday.dateRule, "8-15");
    EXPECT_EQ(birthday.startYear, "1980");
    EXPECT_EQ(birthday.endDate, "2030-1-1");
    EXPECT_EQ(birthday.soundFile, "C:\\声音\\提醒.wav");
    EXPECT_EQ(birthday.enabled, "0");
    EXPECT_EQ(birthday.showInForenotice, "1");
    EXPECT_EQ(birthday.showReminderWindow, "0");
    EXPECT_EQ(birthday.suffix, "");
}

TEST_F(FestivalFileTest, SavingWritesTenFieldsPerLineWithCrLf) {
    FestivalRule rule = Rule("YL", "JR", "10-1", "国庆节");
    rule.suffix = "（第77个）";  // never stored
    ASSERT_TRUE(SaveFestivals(path_, {rule, Rule("NL", "SR", "8-15", "妈妈的生日", "1980")}));
    EXPECT_EQ(Read(), "YL,JR,10-1,国庆节,,,,1,1,1\r\nNL,SR,8-15,妈妈的生日,1980,,,1,1,1\r\n");
}

TEST_F(FestivalFileTest, CommasInsideFieldsSurviveASaveAndALoad) {
    FestivalRule rule = Rule("YL", "JNR", "5-20", "结婚,订婚纪念日");
    rule.soundFile = "D:\\音乐,歌\\a.wav";
    ASSERT_TRUE(SaveFestivals(path_, {rule}));
    EXPECT_EQ(Read(), "YL,JNR,5-20,结婚<!-COMMA-!>订婚纪念日,,,D:\\音乐<!-COMMA-!>歌\\a.wav,1,1,1\r\n");
    const FestivalList list = Load();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], rule);
}

TEST_F(FestivalFileTest, ATypedEscapeComesBackAsAComma) {
    ASSERT_TRUE(SaveFestivals(path_, {Rule("YL", "JR", "1-1", "a<!-COMMA-!>b")}));
    const FestivalList list = Load();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, "a,b");
}

TEST_F(FestivalFileTest, AnEscapedCommaInASwitchFieldDoesNotCostTheRuleOnTheNextSave) {
    Write("YL,JR,1-1,元旦,,,,1<!-COMMA-!>,1,1\r\n");
    FestivalList list = Load();
    ASSERT_EQ(list.size(), 1u);
    ASSERT_TRUE(SaveFestivals(path_, list));
    EXPECT_EQ(Load(), list);
}

TEST_F(FestivalFileTest, LinesWithoutExactlyTenFieldsAreSkipped) {
    Write(
        "YL,JR,1-1,九个字段,,,1,1,1\r\n"
        "YL,JR,1-2,十一个字段,,,,,1,1,1\r\n"
        "YL,JR,1-3,好的,,,,1,1,1\r\n"
        "YL,JR,1-4,结尾逗号,,,,1,1,\r\n");
    const FestivalList list = Load();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, "好的");
    EXPECT_EQ(list[1].name, "结尾逗号");
    EXPECT_EQ(list[1].showReminderWindow, "");
}

TEST_F(FestivalFileTest, BlankLinesAreSkippedAndLineEndsTrimmedButInnerSpacesKept) {
    Write("\r\n   \r\n\t \t\r\n  \tYL, JR,1-1,元旦 ,,,,1,1,1 \t\r\n");
    const FestivalList list = Load();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].calendar, "YL");
    EXPECT_EQ(list[0].kind, " JR");
    EXPECT_EQ(list[0].name, "元旦 ");
    EXPECT_EQ(list[0].showReminderWindow, "1");
}

TEST_F(FestivalFileTest, UnixLineEndsReadTheSameAsWindowsOnes) {
    const std::string lines[] = {"YL,JR,10-1,国庆节,,,,1,1,1", "NL,SR,8-15,妈妈的生日,1980,,,1,1,1"};
    Write(lines[0] + "\r\n" + lines[1] + "\r\n");
    const FestivalList windows = Load();
    Write(lines[0] + "\n" + lines[1]);
    EXPECT_EQ(Load(), windows);
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[1].showReminderWindow, "1");
}

TEST_F(FestivalFileTest, NamesWhoseTrailBytesAreLettersOrBackslashesRoundTrip) {
    // 紀 is BC 6F, 歲 is 9A 71, 俠 is 82 62 and 誕 is D5 51; 81 5C is a
    // character whose second byte is the backslash.
    const std::string names[] = {"紀念日", "三十歲", "俠", "誕辰", "\x81\x5C", "\xFE\x40尾"};
    FestivalList list;
    for (const std::string& name : names) list.push_back(Rule("YL", "SR", "1-1", name));
    ASSERT_TRUE(SaveFestivals(path_, list));
    const std::string saved = Read();
    EXPECT_EQ(Load(), list);
    ASSERT_TRUE(SaveFestivals(path_, Load()));
    EXPECT_EQ(Read(), saved);
}

TEST_F(FestivalFileTest, ABrokenCharacterAtTheLineEndDoesNotSwallowTheLineEnd) {
    // A lone lead byte before the tab and line end: no trail byte can be a
    // tab or a line end, so both are stripped and the byte itself is kept.
    FestivalRule rule;
    ASSERT_TRUE(ParseFestivalLine("YL,JR,1-1,a,,,,1,1,1\xB6\t\r\n", rule));
    EXPECT_EQ(rule.showReminderWindow, "1\xB6");
    ASSERT_TRUE(SaveFestivals(path_, {rule}));
    const FestivalList list = Load();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], rule);
}

TEST_F(FestivalFileTest, LongLinesAreReadIn2499BytePieces) {
    // A first piece of exactly 2 499 bytes is a line of its own, and so is
    // what follows it up to the line end.
    std::string first = "YL,JR,1-1,";
    const std::string tail = ",,,,1,1,1";
    first += std::string(2499 - first.size() - tail.size(), 'N') + tail;
    ASSERT_EQ(first.size(), 2499u);
    Write(first + "YL,JR,2-2,second,,,,1,1,1\r\nYL,JR,3-3,third,,,,1,1,1\r\n");
    FestivalList list = Load();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name.size(), 2499u - 19u);
    EXPECT_EQ(list[1].name, "second");
    EXPECT_EQ(list[2].name, "third");

    // A rule whose line is longer than that falls apart into pieces with the
    // wrong number of fields; the lines after it still load.
    Write("YL,JR,1-1," + std::string(3000, 'N') + ",,,,1,1,1\r\nYL,JR,3-3,third,,,,1,1,1\r\n");
    list = Load();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, "third");
}

TEST_F(FestivalFileTest, AnEmptyListSavesAnEmptyFile) {
    Write("YL,JR,1-1,元旦,,,,1,1,1\r\n");
    ASSERT_TRUE(SaveFestivals(path_, {}));
    EXPECT_EQ(Read(), "");
    EXPECT_TRUE(Load().empty());
}

// A missing file is an empty list to save into; something at the path that
// cannot be read is reported, since saving the empty list that loading gives
// would wipe whatever is there.
TEST_F(FestivalFileTest, WhatIsAtThePathDecidesWhatLoadingReports) {
    struct Case {
        const char* what;
        void (*make)(const std::string& path);
        bool loaded;
        FileRead read;
    } cases[] = {
        {"nothing", [](const std::string& path) { std::filesystem::remove(path); }, true, FileRead::kMissing},
        {"a folder", [](const std::string& path) { std::filesystem::create_directories(path); }, false,
         FileRead::kUnreadable},
    };
    for (const Case& c : cases) {
        c.make(path_);
        FestivalList list{Rule("YL", "JR", "1-1", "stale")};
        EXPECT_EQ(LoadFestivals(path_, list), c.loaded) << c.what;
        EXPECT_TRUE(list.empty()) << c.what;
        list = {Rule("YL", "JR", "1-1", "stale")};
        EXPECT_EQ(ReadFestivals(path_, list), c.read) << c.what;
        EXPECT_TRUE(list.empty()) << c.what;
    }
}

TEST_F(FestivalFileTest, ReadingAFileReportsSuccessEvenWhenItHoldsNoRules) {
    FestivalList list;
    Write("");
    EXPECT_TRUE(LoadFestivals(path_, list));
    Write("YL,JR,10-1,国庆节,,,,1,1,1\r\n");
    EXPECT_TRUE(LoadFestivals(path_, list));
    EXPECT_EQ(list.size(), 1u);
}

TEST_F(FestivalFileTest, SkippedAndSplitLinesAreReportedBlankOnesAreNot) {
    bool skipped = true;
    ParseFestivalFile("YL,JR,10-1,国庆节,,,,1,1,1\r\n\r\n   \r\n", &skipped);
    EXPECT_FALSE(skipped);
    ParseFestivalFile("YL,JR,10-1,国庆节,,,,1,1,1\r\nYL,JR,10-1,nine,,,,1,1\r\n", &skipped);
    EXPECT_TRUE(skipped) << "a line of nine fields";
    ParseFestivalFile("YL,JR,10-1," + std::string(3000, 'x') + ",,,,1,1,1\r\n", &skipped);
    EXPECT_TRUE(skipped) << "a line too long for one read";
    const std::string nul(1, '\0');
    ParseFestivalFile("YL,JR,10-1,国庆节,,,,1,1,1" + nul + "YL,JR,5-1,劳动节,,,,1,1,1\r\n", &skipped);
    EXPECT_TRUE(skipped) << "text after a NUL byte";
    ParseFestivalFile("YL,JR,10-1,国庆节,,,,1,1,1" + nul + nul + " \r\n", &skipped);
    EXPECT_FALSE(skipped) << "only NULs and blanks after it";
}

TEST_F(FestivalFileTest, DoubledLinesAreKeptAsTheRulesTheyAre) {
    Write("YL,JR,10-1,国庆节,,,,1,1,1\r\nYL,JR,10-1,国庆节,,,,1,1,1\r\n");
    EXPECT_EQ(Load(), (FestivalList{Rule("YL", "JR", "10-1", "国庆节"), Rule("YL", "JR", "10-1", "国庆节")}));
}

TEST_F(FestivalFileTest, AFileAnEditorSavedInUnicodeLoadsWholeAndIsCopiedBeforeTheSave) {
    const std::string gbk = "YL,JR,10-1,国庆节,,,,1,1,1\r\nNL,SR,8-15,妈妈的生日,1980,,,1,1,1\r\n";
    for (const TextFileEncoding encoding :
         {TextFileEncoding::kUtf16Le, TextFileEncoding::kUtf16Be, TextFileEncoding::kUtf8}) {
        const std::string saved = EncodeTextFile(gbk, encoding, encoding != TextFileEncoding::kUtf8);
        Write(saved);
        FestivalList list;
        FileBaseline loaded;
        ASSERT_TRUE(LoadFestivals(path_, list, &loaded));
        EXPECT_EQ(list, ParseFestivalFile(gbk));
        EXPECT_EQ(loaded.kept, 2u);
        std::filesystem::path backup;
        ASSERT_TRUE(SaveFestivals(path_, list, &loaded, &backup));
        EXPECT_EQ(Read(), gbk);
        std::string copy;
        ASSERT_TRUE(ReadWholeFile(backup, copy));
        EXPECT_EQ(copy, saved);
        std::filesystem::remove(backup);
    }
}

TEST_F(FestivalFileTest, AFileInNoReadableEncodingIsNeverSavedOver) {
    const std::string utf32("\xFF\xFE\0\0Y\0\0\0", 8);
    Write(utf32);
    FestivalList list;
    FileBaseline loaded;
    EXPECT_FALSE(LoadFestivals(path_, list, &loaded));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(Read(), utf32);
}

// The largest festival file the limits allow: as many rules as are taken,
// and every line after them counted as left out (a save keeps a copy).
TEST_F(FestivalFileTest, TheLargestFileWithinTheLimitsLoadsItsRuleLimit) {
    std::string text;
    const std::string line =
        "YL,JR,10-1," + std::string(kFestivalFileLimit / (kFestivalRuleLimit + 10) - 40, 'x') + ",,,,1,1,1\r\n";
    while (text.size() + line.size() <= kFestivalFileLimit) text += line;
    Write(text);
    FestivalList list;
    FileBaseline loaded;
    ASSERT_TRUE(LoadFestivals(path_, list, &loaded));
    EXPECT_EQ(list.size(), kFestivalRuleLimit);
    EXPECT_GT(loaded.skipped, 0u);
    EXPECT_TRUE(loaded.lossy);
}

TEST_F(FestivalFileTest, ASaveOverAFileEditedSinceLoadingKeepsTheEditedFileAsADatedCopy) {
    Write("YL,JR,10-1,国庆节,,,,1,1,1\r\n");
    FestivalList list;
    FileBaseline loaded;
    ASSERT_TRUE(LoadFestivals(path_, list, &loaded));
    const std::tm now = TmAt(2020, 1, 2);
    std::filesystem::path backup = "stale";
    ASSERT_TRUE(SaveFestivals(path_, list, now, &loaded, &backup));
    EXPECT_TRUE(backup.empty());

    Write("YL,JR,10-1,国庆节,,,,1,1,1\r\nYL,JR,5-1,劳动节,,,,1,1,1\r\n");  // Notepad, meanwhile
    ASSERT_TRUE(SaveFestivals(path_, list, now, &loaded, &backup));
    EXPECT_EQ(backup, std::filesystem::path(path_ + ".20200102-000000.bak"));
    std::string kept;
    ASSERT_TRUE(ReadWholeFile(backup, kept));
    EXPECT_NE(kept.find("劳动节"), std::string::npos);
    EXPECT_EQ(Read(), "YL,JR,10-1,国庆节,,,,1,1,1\r\n");
}

TEST_F(FestivalFileTest, ASaveOverAFileWithSkippedLinesKeepsACopyEvenUnchanged) {
    const std::string withBadLine = "YL,JR,10-1,国庆节,,,,1,1,1\r\nYL,JR,5-1,劳动节\r\n";
    Write(withBadLine);
    FestivalList list;
    FileBaseline loaded;
    ASSERT_TRUE(LoadFestivals(path_, list, &loaded));
    std::filesystem::path backup;
    ASSERT_TRUE(SaveFestivals(path_, list, &loaded, &backup));
    std::string kept;
    ASSERT_TRUE(ReadWholeFile(backup, kept));
    EXPECT_EQ(kept, withBadLine);
}

TEST_F(FestivalFileTest, AReadOnlyFileIsSavedAsTheReminderFileIs) {
    Write("YL,JR,10-1,国庆节,,,,1,1,1\r\n");
    namespace fs = std::filesystem;
    fs::permissions(path_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ASSERT_TRUE(SaveFestivals(path_, {Rule("YL", "JR", "5-1", "劳动节")}));
    EXPECT_EQ(Read(), "YL,JR,5-1,劳动节,,,,1,1,1\r\n");
}

TEST_F(FestivalFileTest, AFileBeyond16MiBIsTakenAsDamagedNotReadAndNotSavedOver) {
    std::string huge = "YL,JR,10-1,国庆节,,,,1,1,1\r\n";
    huge.resize(kFestivalFileLimit + 1, ' ');
    Write(huge);
    FestivalList list{Rule("YL", "JR", "1-1", "stale")};
    EXPECT_FALSE(LoadFestivals(path_, list));
    EXPECT_TRUE(list.empty());
    huge.resize(kFestivalFileLimit);
    Write(huge);
    EXPECT_TRUE(LoadFestivals(path_, list));
    EXPECT_EQ(list.size(), 1u);
}

TEST_F(FestivalFileTest, AFailedSaveLeavesThePreviousFileUntouched) {
    // No folder: nothing is created.
    const std::string inMissingFolder = (folder_ / "Ostrel" / "holidays.cfg").string();
    EXPECT_FALSE(SaveFestivals(inMissingFolder, {Rule("YL", "JR", "1-1", "元旦")}));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Ostrel"));

    // A target that cannot be replaced keeps its contents, and no temporary
    // file is left behind.
    std::filesystem::create_directories(path_);
    std::filesystem::create_directories(std::filesystem::path(path_) / "keep");
    EXPECT_FALSE(SaveFestivals(path_, {Rule("YL", "JR", "1-1", "元旦")}));
    EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(path_) / "keep"));
    EXPECT_EQ(scratch_.FileCount(), 1u);
}

}  // namespace
