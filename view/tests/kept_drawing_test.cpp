#include "view/kept_drawing.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/scratch_folder.h"

namespace {

constexpr const char* kStamp = "program 1/2; gdiplus 3/4; fonts 5 6 7";

KeptBackground Background(int width, int height, std::uint32_t first) {
    KeptBackground b;
    b.path = std::filesystem::u8path(u8"Ostrel/Templates/默认/backgroud.png");
    b.dpi = 168;
    b.picture = FileStamp{133000000000000000, 123456};
    b.width = width;
    b.height = height;
    for (int i = 0; i < width * height; ++i) b.pixels.push_back(first + static_cast<std::uint32_t>(i) * 0x01020304u);
    return b;
}

std::pair<TextPictureKey, TextPicture> Text(const std::string& text, int width, bool drawn) {
    TextPictureKey key;
    key.text = text;
    key.style.family = "宋体";
    key.style.size = 12;
    key.style.bold = true;
    key.style.color = Color{255, 10, 20, 30};
    key.style.shadow = Color{255, 200, 210, 220};
    key.style.shadowHeight = 4;
    key.width = 48;
    key.height = 20;
    key.alignment = HorizontalAlignment::kRight;
    TextPicture picture{-3, -2, width, 3, {}};
    if (drawn) picture.pixels.assign(static_cast<size_t>(width) * 3, 0x80FF0000u | static_cast<std::uint32_t>(width));
    return {key, picture};
}

void ExpectSame(const KeptDrawing& read, const KeptDrawing& written) {
    EXPECT_EQ(read.families, written.families);
    ASSERT_EQ(read.backgrounds.size(), written.backgrounds.size());
    for (size_t i = 0; i < read.backgrounds.size(); ++i) {
        const KeptBackground &r = read.backgrounds[i], &w = written.backgrounds[i];
        EXPECT_EQ(r.path, w.path);
        EXPECT_EQ(r.dpi, w.dpi);
        EXPECT_EQ(r.picture, w.picture);
        EXPECT_EQ(r.doubleSize, w.doubleSize);
        EXPECT_EQ(r.width, w.width);
        EXPECT_EQ(r.height, w.height);
        EXPECT_EQ(r.pixels, w.pixels);
    }
    ASSERT_EQ(read.texts.size(), written.texts.size());
    for (size_t i = 0; i < read.texts.size(); ++i) {
        const auto &r = read.texts[i], &w = written.texts[i];
        EXPECT_FALSE(r.first < w.first || w.first < r.first) << w.first.text;
        EXPECT_EQ(r.first.style.bold, w.first.style.bold);
        EXPECT_EQ(r.second.left, w.second.left);
        EXPECT_EQ(r.second.top, w.second.top);
        EXPECT_EQ(r.second.width, w.second.width);
        EXPECT_EQ(r.second.height, w.second.height);
        EXPECT_EQ(r.second.pixels, w.second.pixels);
    }
}

class KeptDrawingTest : public ::testing::Test {
protected:
    KeptDrawingTest() {
        drawing_.families = {{"Tahoma", true}, {"方正舒体", false}};
        drawing_.backgrounds.push_back(Background(5, 4, 0xFF102030u));
        drawing_.backgrounds.push_back(Background(2, 3, 0x00000001u));
        drawing_.backgrounds.back().picture.reset();
        drawing_.backgrounds.back().doubleSize = FileStamp{-1, 0};
        drawing_.texts.push_back(Text("初一", 7, true));
        drawing_.texts.push_back(Text("", 0, false));  // a text that draws nothing
        drawing_.texts.push_back(Text("12", 4, true));
        refs_.families = drawing_.families;
        for (const KeptBackground& b : drawing_.backgrounds) refs_.backgrounds.push_back(&b);
        for (const auto& [key, picture] : drawing_.texts) refs_.texts.emplace_back(&key, &picture);
    }

    std::string Bytes() const {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void Overwrite(const std::string& bytes) const {
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
    }

    ScratchFolder folder_{"kept-drawing-"};
    std::filesystem::path path_ = folder_.path() / "drawing.cache";
    KeptDrawing drawing_;
    KeptDrawingRefs refs_;
};

TEST_F(KeptDrawingTest, ANextStartReadsWhatThisOneWrote) {
    ASSERT_TRUE(WriteKeptDrawingFile(path_, kStamp, refs_));
    ExpectSame(ReadKeptDrawingFile(path_, kStamp), drawing_);
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "drawing.cache.new"));

    // Written again, the file is replaced whole.
    refs_.texts.pop_back();
    drawing_.texts.pop_back();
    ASSERT_TRUE(WriteKeptDrawingFile(path_, kStamp, refs_));
    ExpectSame(ReadKeptDrawingFile(path_, kStamp), drawing_);
}

TEST_F(KeptDrawingTest, AnotherProgramFontsOrGraphicsLibraryReadNothing) {
    ASSERT_TRUE(WriteKeptDrawingFile(path_, kStamp, refs_));
    for (const char* other : {"program 1/3; gdiplus 3/4; fonts 5 6 7", "", "program 1/2; gdiplus 3/4; fonts 5 6 8"}) {
        const KeptDrawing read = ReadKeptDrawingFile(path_, other);
        EXPECT_TRUE(read.backgrounds.empty() && read.texts.empty()) << other;
    }
}

TEST_F(KeptDrawingTest, AFileDamagedAnywhereGivesNothing) {
    ASSERT_TRUE(WriteKeptDrawingFile(path_, kStamp, refs_));
    const std::string whole = Bytes();
    std::vector<std::string> damaged = {"", whole.substr(0, 4), whole.substr(0, whole.size() / 2),
                                        whole.substr(0, whole.size() - 1), whole + '\0'};
    // One byte changed in the header, a background's pixels, a text and the checksum.
    for (const size_t at : {size_t{5}, size_t{120}, whole.size() - 40, whole.size() - 1}) {
        std::string changed = whole;
        changed[at] = static_cast<char>(changed[at] ^ 0x10);
        damaged.push_back(changed);
    }
    for (const std::string& bytes : damaged) {
        Overwrite(bytes);
        const KeptDrawing read = ReadKeptDrawingFile(path_, kStamp);
        EXPECT_TRUE(read.backgrounds.empty() && read.texts.empty()) << bytes.size() << " bytes";
    }
    EXPECT_TRUE(ReadKeptDrawingFile(folder_.path() / "missing.cache", kStamp).texts.empty());
}

TEST_F(KeptDrawingTest, PicturesLargerThanTheFileAreRefusedUnread) {
    // A valid header declaring one background of 16384 x 16384 pixels, and
    // then nothing: refused without a gigabyte being taken for it.
    KeptDrawingRefs none;
    ASSERT_TRUE(WriteKeptDrawingFile(path_, kStamp, none));
    std::string bytes = Bytes();
    const size_t counts = 8 + 4 + std::string(kStamp).size() + 4;  // after no font family
    std::string background("\x01\x00\x00\x00", 4);
    background += std::string("\x00\x00\x00\x00", 4) + std::string(4, '\0') + std::string(17 * 2, '\0');
    background += std::string("\x00\x40\x00\x00", 4) + std::string("\x00\x40\x00\x00", 4);
    bytes.replace(counts, 4, background);
    Overwrite(bytes);
    EXPECT_TRUE(ReadKeptDrawingFile(path_, kStamp).backgrounds.empty());
}

TEST_F(KeptDrawingTest, AFolderThatCannotBeWrittenLeavesNoFile) {
    const std::filesystem::path nowhere = folder_.path() / "missing" / "drawing.cache";
    EXPECT_FALSE(WriteKeptDrawingFile(nowhere, kStamp, refs_));
    EXPECT_FALSE(std::filesystem::exists(nowhere.parent_path()));
}

TEST(TextPicturesKept, AnEarlierStartsPicturesAreFoundButNotCountedAsDrawn) {
    TextPictures pictures(3);
    const auto [first, firstPicture] = Text("一", 2, true);
    const auto [second, secondPicture] = Text("二", 3, true);
    pictures.Add(first, firstPicture);
    pictures.KeepEarlier(first, secondPicture);  // already kept: this start's stays
    pictures.KeepEarlier(second, secondPicture);
    EXPECT_EQ(pictures.drawn(), 1);
    ASSERT_NE(pictures.Find(first), nullptr);
    EXPECT_EQ(pictures.Find(first)->width, 2);
    // Kept as the one used longest ago: the first to make room.
    pictures.Add(Text("三", 1, true).first, TextPicture{});
    pictures.Add(Text("四", 1, true).first, TextPicture{});
    EXPECT_EQ(pictures.Find(second), nullptr);
    std::vector<std::string> recent;
    pictures.VisitRecent(2, [&](const TextPictureKey& key, const TextPicture&) { recent.push_back(key.text); });
    EXPECT_EQ(recent, (std::vector<std::string>{"四", "三"}));
}

}  // namespace
