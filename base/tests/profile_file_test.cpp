#include "base/profile_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "base/data_paths.h"
#include "base/file_path.h"
#include "base/file_system.h"
#include "tests/support/scratch_folder.h"

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override { file_ = (folder_ / "Solvane.ini").string(); }

    void Write(const std::string& contents) { ASSERT_TRUE(ReplaceFileAtomically(file_, contents)); }
    std::string Contents() const {
        std::string contents;
        ReadWholeFile(file_, contents);
        return contents;
    }

    ScratchFolder scratch_{"solvane-profile-"};
    const std::filesystem::path& folder_ = scratch_.path();
    std::string file_;
};

TEST_F(ProfileFileTest, AHandEditedFileReadsRegardlessOfCaseAndSpacing) {
    Write(
        "  [ ostrel ]  \r\n"
        "\tshowtoday   =   0   \r\n"
        "LISTFORDAYS=\t-1\r\n"
        "template = 蓝色 经典 \r\n");
    EXPECT_EQ(ProfileGetInt("Ostrel", "ShowToday", 1, file_), 0);
    EXPECT_EQ(ProfileGetInt("OSTREL", " ListForDays ", 30, file_), -1);
    EXPECT_EQ(ProfileGetString("Ostrel", "Template", "", file_), "蓝色 经典");
}

TEST_F(ProfileFileTest, AFileBeyondOneMiBIsTakenAsDamagedAndNeverWrittenOver) {
    std::string huge = "[Ostrel]\r\nShowToday=0\r\n";
    huge.resize(kProfileFileLimit + 1, ';');
    Write(huge);
    ProfileDocument document;
    EXPECT_FALSE(document.Load(file_));
    EXPECT_FALSE(document.Find("Ostrel", "ShowToday"));
    EXPECT_EQ(ProfileGetInt("Ostrel", "ShowToday", 1, file_), 1) << "the default, as for a missing file";
    EXPECT_FALSE(ProfilePutInt("Ostrel", "ShowToday", 1, file_)) << "a save would drop what could not be read";
    EXPECT_EQ(Contents(), huge);
}

TEST_F(ProfileFileTest, TheFirstSectionAndTheFirstKeyOfANameWin) {
    Write("[Ostrel]\nShowToday=0\nshowtoday=1\n[GADGETS]\nx=1\n[OSTREL]\nShowToday=2\nListForDays=9\n");
    EXPECT_EQ(ProfileGetInt("Ostrel", "ShowToday", 7, file_), 0);
    // A later section of the same name is never consulted.
    EXPECT_EQ(ProfileGetInt("Ostrel", "ListForDays", 30, file_), 30);
}

TEST_F(ProfileFileTest, CommentsStrayLinesAndKeysOutsideSectionsAreNotKeys) {
    Write("ShowToday=5\n[Ostrel]\n;ShowToday=3\nShowToday\n# note\n");
    EXPECT_EQ(ProfileGetInt("Ostrel", "ShowToday", 1, file_), 1);
    EXPECT_EQ(ProfileGetInt("Ostrel", ";ShowToday", 1, file_), 1);
}

TEST_F(ProfileFileTest, MissingFilesSectionsAndKeysGiveTheDefaults) {
    EXPECT_EQ(ProfileGetInt("Ostrel", "ShowToday", 1, file_), 1);
    EXPECT_EQ(ProfileGetString("Ostrel", "Template", "默认", file_), "默认");
    Write("[Other]\nShowToday=0\n[Ostrel]\n");
    EXPECT_EQ(ProfileGetInt("Ostrel", "ShowToday", 1, file_), 1);
    EXPECT_FALSE(ProfileGetRect("GADGETS", "RECT_1", file_).has_value());
}

TEST_F(ProfileFileTest, IntegersReadLikeTheWindowsFunction) {
    Write("[S]\nempty=\nword=abc\nsigned=-12abc\nplus=+7\nquoted=\"3\"\nhuge=4294967297\n");
    EXPECT_EQ(ProfileGetInt("S", "empty", 9, file_), 9);
    EXPECT_EQ(ProfileGetInt("S", "word", 9, file_), 0);
    EXPECT_EQ(ProfileGetInt("S", "signed", 9, file_), -12);
    EXPECT_EQ(ProfileGetInt("S", "plus", 9, file_), 7);
    EXPECT_EQ(ProfileGetInt("S", "quoted", 9, file_), 3);
    EXPECT_EQ(ProfileGetInt("S", "huge", 9, file_), 1);  // wraps around at 32 bits
}

TEST_F(ProfileFileTest, MatchingQuotesAroundAStringAreDropped) {
    Write("[S]\na=\"  padded  \"\nb='x'\nc=\"unbalanced'\nd=\"\n");
    EXPECT_EQ(ProfileGetString("S", "a", "", file_), "  padded  ");
    EXPECT_EQ(ProfileGetString("S", "b", "", file_), "x");
    EXPECT_EQ(ProfileGetString("S", "c", "", file_), "\"unbalanced'");
    EXPECT_EQ(ProfileGetString("S", "d", "", file_), "\"");
}

TEST_F(ProfileFileTest, ChangingAValueRewritesOnlyItsOwnLine) {
    const std::string before =
        "; settings of the calendar\n"
        "[Ostrel]\n"
        "  ShowToday = 1   \n"
        "Template=Blue\r\n"
        "\n"
        "[Foreign]\r\n"
        "ShowToday=1\r\n"
        "trailing line without end";
    Write(before);
    ASSERT_TRUE(ProfilePutInt("ostrel", "showtoday", 0, file_));
    EXPECT_EQ(Contents(),
              "; settings of the calendar\n"
              "[Ostrel]\n"
              "  ShowToday = 0\n"
              "Template=Blue\r\n"
              "\n"
              "[Foreign]\r\n"
              "ShowToday=1\r\n"
              "trailing line without end");
}

TEST_F(ProfileFileTest, ANewKeyGoesAfterTheLastKeyOfItsSection) {
    Write("[Ostrel]\nShowToday=1\n\n; the window's place\n[GADGETS]\nRECT_1=00\n");
    ASSERT_TRUE(ProfilePutString("Ostrel", "Template", "Red", file_));
    EXPECT_EQ(Contents(), "[Ostrel]\nShowToday=1\nTemplate=Red\r\n\n; the window's place\n[GADGETS]\nRECT_1=00\n");
}

TEST_F(ProfileFileTest, ANewSectionGoesAtTheEndAndEndsTheLastLineFirst) {
    Write("[Ostrel]\nShowToday=1");
    ASSERT_TRUE(ProfilePutString("GADGETS", "Note", "x", file_));
    EXPECT_EQ(Contents(), "[Ostrel]\nShowToday=1\r\n[GADGETS]\r\nNote=x\r\n");
}

TEST_F(ProfileFileTest, TheFirstWriteCreatesTheFileButNeverItsFolder) {
    ASSERT_TRUE(ProfilePutInt("Ostrel", "ListForDays", -1, file_));
    EXPECT_EQ(Contents(), "[Ostrel]\r\nListForDays=-1\r\n");

    const std::string inMissingFolder = (folder_ / "Reminders" / "reminders.cfg").string();
    EXPECT_FALSE(ProfilePutString("ITEMS", "Item0", "00", inMissingFolder));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Reminders"));
}

TEST_F(ProfileFileTest, NamesAndValuesThatWouldNotReadBackAreRefused) {
    Write("[S]\nk=1\n");
    EXPECT_FALSE(ProfilePutString("S", "k", "two\r\nlines", file_));
    EXPECT_FALSE(ProfilePutString("S", "a=b", "1", file_));
    EXPECT_FALSE(ProfilePutString("S", "[T]", "1", file_));
    EXPECT_FALSE(ProfilePutString("S", ";k", "1", file_));
    EXPECT_FALSE(ProfilePutString("S", "  ", "1", file_));
    EXPECT_FALSE(ProfilePutString("S\nT", "k", "1", file_));
    EXPECT_EQ(Contents(), "[S]\nk=1\n");
    // A key that only reads as a key because its line has no ']' keeps it so.
    Write("[S]\n[a=1\n");
    EXPECT_EQ(ProfileGetString("S", "[a", "", file_), "1");
    EXPECT_FALSE(ProfilePutString("S", "[a", "x]", file_));
    EXPECT_EQ(Contents(), "[S]\n[a=1\n");
    // Values may hold '=', brackets and surrounding spaces; the spaces are
    // trimmed on reading, as Windows does.
    ASSERT_TRUE(ProfilePutString("S", "k", " a=[b] ", file_));
    EXPECT_EQ(ProfileGetString("S", "k", "", file_), "a=[b]");
}

TEST_F(ProfileFileTest, DoubleByteNamesAreComparedWholeCharacters) {
    // 0x81 0x41 and 0x81 0x61 are two different characters whose trail bytes
    // happen to be 'A' and 'a'; a trail byte ']' does not close a section name.
    ProfileDocument document;
    ASSERT_TRUE(document.Set("\x81\x5D", "\x81\x41", "upper"));
    ASSERT_TRUE(document.Set("\x81\x5D", "\x81\x61", "lower"));
    const ProfileDocument reread(document.Text());
    EXPECT_EQ(reread.Find("\x81\x5D", "\x81\x41"), "upper");
    EXPECT_EQ(reread.Find("\x81\x5D", "\x81\x61"), "lower");
    EXPECT_EQ(document.Text(), "[\x81\x5D]\r\n\x81\x41=upper\r\n\x81\x61=lower\r\n");
}

// Notepad's "Unicode" and UTF-8 saves read as the settings they hold; the
// first write keeps the file as it was in a dated copy and writes GBK.
TEST_F(ProfileFileTest, ASettingsFileAnEditorSavedInUnicodeReadsAndIsCopiedBeforeTheFirstWrite) {
    const std::string gbk = "[Ostrel]\r\nTemplate=\xC0\xB6\xC9\xAB\r\nShowToday=0\r\n";  // 蓝色
    for (const TextFileEncoding encoding :
         {TextFileEncoding::kUtf16Le, TextFileEncoding::kUtf16Be, TextFileEncoding::kUtf8}) {
        for (const bool marked : {true, false}) {
            const std::string saved = EncodeTextFile(gbk, encoding, marked);
            Write(saved);
            EXPECT_EQ(ProfileGetString("Ostrel", "Template", "", file_), "蓝色");
            std::filesystem::path backup;
            ASSERT_TRUE(UpdateProfileFile(
                file_, [](ProfileDocument& d) { return d.Set("Ostrel", "ShowToday", "1"); }, &backup));
            EXPECT_EQ(Contents(), "[Ostrel]\r\nTemplate=蓝色\r\nShowToday=1\r\n");
            std::string copy;
            ASSERT_TRUE(ReadWholeFile(backup, copy));
            EXPECT_EQ(copy, saved);
            ASSERT_TRUE(UpdateProfileFile(
                file_, [](ProfileDocument& d) { return d.Set("Ostrel", "ShowToday", "0"); }, &backup));
            EXPECT_TRUE(backup.empty()) << "a GBK file needs no copy";
        }
    }
}

TEST_F(ProfileFileTest, LongValuesSurviveAndStringsAreCutAtTheWindowsLimit) {
    const std::string reminder(20114, 'A');
    ASSERT_TRUE(ProfilePutString("ITEMS", "Item0", reminder, file_));
    EXPECT_EQ(ProfileDocument(Contents()).Find("ITEMS", "Item0"), reminder);

    // A double-byte character that would straddle the limit is dropped whole.
    const std::string tooLong = std::string(kProfileStringLimit - 1, 'x') + "汉字";
    ASSERT_TRUE(ProfilePutString("S", "long", tooLong, file_));
    EXPECT_EQ(ProfileGetString("S", "long", "", file_), std::string(kProfileStringLimit - 1, 'x'));
}

TEST_F(ProfileFileTest, WritingTheValueAlreadyStoredChangesNothing) {
    ProfileDocument document("[S]\nk = 1 \n");
    ASSERT_TRUE(ProfilePutInt("s", "K", 1, document));
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.Text(), "[S]\nk = 1 \n");
}

TEST_F(ProfileFileTest, RunsOfBlankAndCommentLinesKeepEveryByteAroundAChange) {
    const struct {
        const char* before;
        const char* after;
    } cases[] = {
        {"\n\r\n;c\r\r[A]\nx=1\n\n\n", "\n\r\n;c\r\r[A]\nx=1\ny=2\r\n\n\n"},
        {"[A]\r\n; one\r\n\n; two\nx=1\n  \n\t", "[A]\r\n; one\r\n\n; two\nx=1\ny=2\r\n  \n\t"},
        {"[B]\n\n\n  ", "[B]\n\n\n  \r\n[A]\r\ny=2\r\n"},
    };
    for (const auto& c : cases) {
        ProfileDocument document(c.before);
        EXPECT_EQ(document.Text(), c.before);
        ASSERT_TRUE(document.Set("A", "y", "2"));
        EXPECT_EQ(document.Text(), c.after) << c.before;
    }
}

TEST_F(ProfileFileTest, RemovingAKeyTakesOnlyItsLine) {
    ProfileDocument document("[A]\r\nx=1\r\ny=2\r\n[B]\r\nx=3\r\n");
    EXPECT_TRUE(document.RemoveKey("a", "X"));
    EXPECT_FALSE(document.RemoveKey("A", "x"));
    EXPECT_EQ(document.Text(), "[A]\r\ny=2\r\n[B]\r\nx=3\r\n");
}

TEST_F(ProfileFileTest, AValueFoundStaysReadableWhileOtherKeysChange) {
    // A settings form reads several values, then writes others into the same document.
    ProfileDocument document("[Ostrel]\r\nTemplate=Night\r\nSystemTrayTemplate=RedPage\r\n");
    const std::string_view skin = *document.Find("Ostrel", "Template");
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(document.Set("Ostrel", "Key" + std::to_string(i), "value"));
    ASSERT_TRUE(document.Set("Ostrel", "SystemTrayTemplate", "BlueTile"));
    EXPECT_EQ(skin, "Night");
    EXPECT_EQ(document.Find("Ostrel", "SystemTrayTemplate"), "BlueTile");
    EXPECT_EQ(document.Text().substr(0, 55), "[Ostrel]\r\nTemplate=Night\r\nSystemTrayTemplate=BlueTile\r\n");
}

TEST_F(ProfileFileTest, ManyLongKeysAreWrittenInOnePass) {
    ProfileDocument document;
    std::vector<std::string> values;
    for (int i = 0; i < 300; ++i) {
        values.push_back(std::string(20112, static_cast<char>('A' + i % 6)) + "00");
        ASSERT_TRUE(document.Set("ITEMS", "Item" + std::to_string(i), values.back()));
    }
    ASSERT_TRUE(document.Save(file_));
    ProfileDocument reread;
    ASSERT_TRUE(reread.Load(file_, kReminderFileLimit));  // as large as a memo file
    for (int i = 0; i < 300; ++i) EXPECT_EQ(reread.Find("ITEMS", "Item" + std::to_string(i)), values[i]);
}

TEST_F(ProfileFileTest, StringsExpandPathMacrosAndSoDoDefaults) {
    Write("[S]\nsound=%module_path%\\Sound\\a.wav\n");
    const std::string folder = GbkFromPath(ModuleFolder()).value();
    EXPECT_EQ(ProfileGetString("S", "sound", "", file_), folder + "\\Sound\\a.wav");
    EXPECT_EQ(ProfileGetString("S", "none", "%module_path%", file_), folder);
    EXPECT_EQ(ProfileGetInt("S", "none", 4, file_), 4);
}

// --- Checksummed structures ---------------------------------------------------

TEST(ProfileStructTest, BytesAreUppercaseHexFollowedByTheirSum) {
    const unsigned char bytes[] = {0x01, 0xAB, 0xFF, 0x00};
    EXPECT_EQ(EncodeProfileStruct(bytes, sizeof bytes), "01ABFF00AB");
    EXPECT_EQ(EncodeProfileStruct(nullptr, 0), "00");
}

TEST(ProfileStructTest, DecodingAcceptsEitherCaseAndChecksTheSum) {
    unsigned char bytes[4] = {};
    ASSERT_TRUE(DecodeProfileStruct("01abff00ab", bytes, sizeof bytes));
    EXPECT_EQ(bytes[1], 0xAB);
    EXPECT_EQ(bytes[2], 0xFF);
}

TEST(ProfileStructTest, DamagedValuesAreRefusedAndLeaveTheBufferAlone) {
    unsigned char bytes[4] = {7, 7, 7, 7};
    EXPECT_FALSE(DecodeProfileStruct("01ABFF00AC", bytes, sizeof bytes));   // wrong sum
    EXPECT_FALSE(DecodeProfileStruct("01ABFF00", bytes, sizeof bytes));     // sum missing
    EXPECT_FALSE(DecodeProfileStruct("01ABFF00AB0", bytes, sizeof bytes));  // one digit too many
    EXPECT_FALSE(DecodeProfileStruct("01ABFG00AB", bytes, sizeof bytes));   // not hex
    EXPECT_FALSE(DecodeProfileStruct("01AB FF00AB", bytes, sizeof bytes));  // inner space
    EXPECT_FALSE(DecodeProfileStruct("01ABFF00AB", bytes, 3));              // other length
    for (unsigned char b : bytes) EXPECT_EQ(b, 7);
}

TEST_F(ProfileFileTest, ARectangleIsSixteenLittleEndianBytesAndASum) {
    ASSERT_TRUE(ProfilePutRect("GADGETS", "RECT_1", Rect{1, 2, 3, 4}, file_));
    EXPECT_EQ(ProfileDocument(Contents()).Find("GADGETS", "RECT_1"), "010000000200000003000000040000000A");

    const Rect offScreen{-300, -1, 2147483647, -2147483647 - 1};
    ASSERT_TRUE(ProfilePutRect("GADGETS", "RECT_1", offScreen, file_));
    EXPECT_EQ(ProfileGetRect("gadgets", "rect_1", file_), offScreen);
}

TEST_F(ProfileFileTest, ARectangleWithABadSumOrLengthReadsAsNothing) {
    Write("[GADGETS]\nRECT_1=010000000200000003000000040000000B\nRECT_2=0100000002000000030000000400000\n");
    EXPECT_FALSE(ProfileGetRect("GADGETS", "RECT_1", file_).has_value());
    EXPECT_FALSE(ProfileGetRect("GADGETS", "RECT_2", file_).has_value());
}

TEST_F(ProfileFileTest, StructuresRoundTripThroughAFileWithForeignContent) {
    Write("; memo file\r\n[Other]\r\nItem0=keep\r\n");
    std::vector<std::uint8_t> record(10056);
    for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<std::uint8_t>(i * 7 + 3);
    ASSERT_TRUE(ProfilePutStruct("ITEMS", "Item0", record.data(), record.size(), file_));
    std::vector<std::uint8_t> read(record.size());
    ASSERT_TRUE(ProfileGetStruct("ITEMS", "Item0", read.data(), read.size(), file_));
    EXPECT_EQ(read, record);
    EXPECT_EQ(ProfileDocument(Contents()).Find("ITEMS", "Item0")->size(), 20114u);
    EXPECT_EQ(Contents().substr(0, 32), "; memo file\r\n[Other]\r\nItem0=keep");
}

}  // namespace
