// The profile module against the Windows profile functions themselves: files
// written by either side read the same through the other.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/profile_file.h"

namespace {

class ProfileCompatibilityTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, folder), 0u);
        file_ = std::string(folder) + "solvane-compat-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
        DeleteFileA(file_.c_str());
    }
    void TearDown() override {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, file_.c_str());  // drop the system's cache
        DeleteFileA(file_.c_str());
    }

    std::string WindowsString(const char* section, const char* key) const {
        std::vector<char> buffer(65536);
        GetPrivateProfileStringA(section, key, "<absent>", buffer.data(), static_cast<DWORD>(buffer.size()),
                                 file_.c_str());
        return buffer.data();
    }
    std::string OurString(const char* section, const char* key) const {
        ProfileDocument document;
        document.Load(file_);
        return document.Find(section, key) ? ProfileGetString(section, key, "", document) : "<absent>";
    }

    std::string file_;
};

std::vector<std::uint8_t> SampleRecord() {
    std::vector<std::uint8_t> record(10056);
    for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<std::uint8_t>(i * 31 + i / 256);
    return record;
}

TEST_F(ProfileCompatibilityTest, AFileWrittenByWindowsReadsTheSame) {
    const char* file = file_.c_str();
    ASSERT_TRUE(WritePrivateProfileStringA("Ostrel", "ShowToday", "0", file));
    ASSERT_TRUE(WritePrivateProfileStringA("Ostrel", "ListForDays", "-1", file));
    ASSERT_TRUE(WritePrivateProfileStringA("Ostrel", "Template", "Blue Sky", file));
    const std::int32_t rect[4] = {-20, 35, 400, 2147483647};
    ASSERT_TRUE(WritePrivateProfileStructA("GADGETS", "RECT_1", const_cast<std::int32_t*>(rect), sizeof rect, file));
    std::vector<std::uint8_t> record = SampleRecord();
    ASSERT_TRUE(WritePrivateProfileStructA("ITEMS", "Item0", record.data(), static_cast<UINT>(record.size()), file));
    ASSERT_TRUE(WritePrivateProfileStringA("Ostrel", "ShowToday", "1", file));  // an update in place
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file);                // flush to disk

    EXPECT_EQ(ProfileGetInt("Ostrel", "ShowToday", 7, file_), 1);
    EXPECT_EQ(ProfileGetInt("Ostrel", "ListForDays", 30, file_), -1);
    EXPECT_EQ(ProfileGetString("Ostrel", "Template", "", file_), "Blue Sky");
    EXPECT_EQ(ProfileGetRect("GADGETS", "RECT_1", file_), (Rect{-20, 35, 400, 2147483647}));
    std::vector<std::uint8_t> read(record.size());
    ASSERT_TRUE(ProfileGetStruct("ITEMS", "Item0", read.data(), read.size(), file_));
    EXPECT_EQ(read, record);
}

TEST_F(ProfileCompatibilityTest, AFileWrittenByUsReadsTheSameThroughWindows) {
    ASSERT_TRUE(ReplaceFileAtomically(file_, "; hand-made\r\n[Foreign]\r\nkey=value\r\n"));
    ProfileDocument document;
    ASSERT_TRUE(document.Load(file_));
    ASSERT_TRUE(ProfilePutInt("Ostrel", "ListForDays", -1, document));
    ASSERT_TRUE(ProfilePutString("Ostrel", "Template", "Red", document));
    ASSERT_TRUE(ProfilePutRect("GADGETS", "RECT_1", Rect{-5, 0, 320, 480}, document));
    const std::vector<std::uint8_t> record = SampleRecord();
    ASSERT_TRUE(ProfilePutStruct("ITEMS", "Item0", record.data(), record.size(), document));
    ASSERT_TRUE(document.Save(file_));

    const char* file = file_.c_str();
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("Ostrel", "ListForDays", 30, file)), -1);
    EXPECT_EQ(WindowsString("Ostrel", "Template"), "Red");
    EXPECT_EQ(WindowsString("Foreign", "key"), "value");
    std::int32_t rect[4] = {};
    ASSERT_TRUE(GetPrivateProfileStructA("GADGETS", "RECT_1", rect, sizeof rect, file));
    EXPECT_EQ(rect[0], -5);
    EXPECT_EQ(rect[3], 480);
    std::vector<std::uint8_t> read(record.size());
    ASSERT_TRUE(GetPrivateProfileStructA("ITEMS", "Item0", read.data(), static_cast<UINT>(read.size()), file));
    EXPECT_EQ(read, record);
}

TEST_F(ProfileCompatibilityTest, AHandEditedFileReadsAsWindowsReadsIt) {
    ASSERT_TRUE(ReplaceFileAtomically(file_,
                                      "[Ostrel]\r\n"
                                      "  ShowToday  =  0  \r\n"
                                      "showtoday=1\r\n"
                                      "LISTFORDAYS=\t12\r\n"
                                      "Quoted=\"  q  \"\r\n"
                                      "Single='s'\r\n"
                                      "Empty=\r\n"
                                      "Equals=a=b\r\n"
                                      "[GADGETS]\n"
                                      "RECT_1=00\n"
                                      "[ostrel]\n"
                                      "Template=later\n"
                                      "[ Spaced ]\r\nk=v\r\n"
                                      "[Other]\r"
                                      "Mac=1\r"));
    const char* cases[][2] = {
        {"Ostrel", "ShowToday"}, {"OSTREL", "showtoday"}, {"Ostrel", "ListForDays"},   {"Ostrel", "Quoted"},
        {"Ostrel", "Single"},    {"Ostrel", "Empty"},     {"Ostrel", "Equals"},        {"Ostrel", "Template"},
        {"gadgets", "rect_1"},   {"Missing", "x"},        {" Ostrel ", " ShowToday "}, {"Other", "Mac"},
        {"Spaced", "k"},         {" Spaced ", "k"}};
    for (const auto& c : cases) EXPECT_EQ(OurString(c[0], c[1]), WindowsString(c[0], c[1])) << c[0] << "/" << c[1];
    EXPECT_EQ(ProfileGetInt("Ostrel", "Empty", 9, file_),
              static_cast<int>(GetPrivateProfileIntA("Ostrel", "Empty", 9, file_.c_str())));
}

}  // namespace
