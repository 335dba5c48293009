#include "app/update_check.h"

#include <gtest/gtest.h>

namespace {

TEST(UpdateCheck, AnnouncesOnlyAHigherLeadingNumber) {
    EXPECT_TRUE(IsNewerVersion("2.1", "2.0"));
    EXPECT_FALSE(IsNewerVersion("2.0", "2.0"));
    EXPECT_FALSE(IsNewerVersion("1.9", "2.0"));
    // Numbers, not dotted versions: 2.10 is below 2.9.
    EXPECT_FALSE(IsNewerVersion("2.10", "2.9"));
}

TEST(UpdateCheck, ReadsOnlyTheLeadingNumberOfTheVersionFile) {
    EXPECT_DOUBLE_EQ(LeadingVersionNumber("3.0 beta"), 3.0);
    EXPECT_DOUBLE_EQ(LeadingVersionNumber("  2.5\r\n"), 2.5);
    EXPECT_DOUBLE_EQ(LeadingVersionNumber("<html>"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingVersionNumber(""), 0.0);
    EXPECT_TRUE(IsNewerVersion("3.0 released", "2.0"));
    EXPECT_FALSE(IsNewerVersion("not a number", "2.0"));
}

TEST(UpdateCheck, AnnouncementNamesBothVersions) {
    EXPECT_EQ(UpdateAnnouncementText("Tavro日历", "2.1", "2.0"),
              "发现Tavro日历的新版本！新版本为2.1，当前版本为2.0。\n\n"
              "请点击【确认】查看升级详情。如果现在不想升级，请点击【取消】。");
}

TEST(UpdateCheck, TemporaryFileIsNamedByTheGuidInUppercaseHex) {
    const GuidFields guid{0x0123ABCDu, 0x4567, 0x89EF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
    EXPECT_EQ(UpdateTemporaryFileName("C:\\Temp", guid), "C:\\Temp\\0123ABCD456789EF0123456789ABCDEF.txt");
    EXPECT_EQ(UpdateTemporaryFileName("C:\\Temp\\", guid), "C:\\Temp\\0123ABCD456789EF0123456789ABCDEF.txt");
}

TEST(UpdateCheck, AnnouncesTheFirstLineOfTheVersionFileWithoutBlanks) {
    EXPECT_EQ(PublishedVersionText("2.1\r\n"), "2.1");
    EXPECT_EQ(PublishedVersionText("  3.0 正式版 \nchanges: many\n"), "3.0 正式版");
    EXPECT_EQ(PublishedVersionText(""), "");
    // A page served in place of the file is cut short, never inside a
    // double-byte character.
    const std::string page = "9" + std::string(kVersionTextLimit - 2, 'x') + "版本";
    const std::string shown = PublishedVersionText(page);
    EXPECT_EQ(shown, page.substr(0, kVersionTextLimit - 1));
}

TEST(UpdateCheck, AVersionFileSavedWithAByteOrderMarkStillReadsAsItsNumber) {
    const std::string saved = "\xEF\xBB\xBF" "2.1\r\n";
    EXPECT_EQ(PublishedVersionText(saved), "2.1");
    EXPECT_TRUE(IsNewerVersion(PublishedVersionText(saved), "2.0"));
    EXPECT_EQ(PublishedVersionText("\xEF\xBB\xBF  3.0\n"), "3.0");
    EXPECT_EQ(PublishedVersionText("\xEF\xBB\xBF"), "");
}

TEST(UpdateCheck, TheHolidayScheduleLiesBesideTheVersionFile) {
    EXPECT_EQ(SiblingUrl("https://www.tavro-calendar.com/solvane/version.txt", "offdays.txt"),
              "https://www.tavro-calendar.com/solvane/offdays.txt");
    EXPECT_EQ(SiblingUrl("http://127.0.0.1:8000/version.txt?v=2", "offdays.txt"), "http://127.0.0.1:8000/offdays.txt");
    EXPECT_EQ(SiblingUrl("http://127.0.0.1:8000", "offdays.txt"), "");
}

}  // namespace
