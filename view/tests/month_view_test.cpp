#include "view/month_view.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <type_traits>
#include <vector>

#include "base/file_system.h"
#include "tests/support/dates.h"
#include "tests/support/png_samples.h"
#include "tests/support/scratch_folder.h"
#include "view/dpi_scale.h"

namespace {

// A whole 320 x 280 PNG.
std::string PngHeader() { return png_samples::WholePng(320, 280); }

class MonthViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        Write("config.ini",
              "[Settings]\r\nBODY=0,20,140,140\r\nHEIGHTWEEKDAYROW=20\r\nLISTRECT=0,150,140,190\r\n"
              "YEARBACK=1,2,3,4\r\n");
        Write("Solvane.ini", "[Ostrel]\r\n");
    }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    void Write(const std::string& name, const std::string& text) {
        ASSERT_TRUE(ReplaceFileAtomically(PathOf(name), text));
    }

    // The calendar fields and one solar term: 雨水 on 19 February 2015.
    class Days : public DayInfoSource {
    public:
        DayInfo GetDayInfo(const Date& date, DayParts) override {
            DayInfo info;
            info.date = date;
            info.lunar = {2015, 1, 2, 0};
            if (date == D(2015, 2, 19)) info.solarTerm = "雨水";
            return info;
        }
    };

    MonthView View() {
        return MonthView(days_, FontFamilyQuery(), [] { return D(2015, 2, 18); });
    }

    void Rebuild(MonthView& view, int year, int month) {
        options_.backgroundPath = PathOf("backgroud.png");
        options_.configPath = PathOf("config.ini");
        view.Rebuild(options_, Month(year, month));
    }

    static int ListLines(const MonthView& view) {
        int lines = 0;
        for (const DisplayItem& item : view.display().items) {
            if (auto text = std::get_if<DisplayText>(&item)) lines += text->box.top >= 150;
        }
        return lines;
    }

    ScratchFolder scratch_{"solvane-view-"};
    const std::filesystem::path& folder_ = scratch_.path();
    Days days_;
    MonthOptions options_;
};

TEST_F(MonthViewTest, ARebuildRemembersTheMonthAndItsCells) {
    MonthView view = View();
    Rebuild(view, 2015, 2);
    EXPECT_EQ(view.month(), Month(2015, 2));
    EXPECT_EQ(view.cells().size(), 28u);
    EXPECT_EQ(view.days().at(19).solarTerm, "雨水");
    EXPECT_EQ(view.yearBack(), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(view.DayAt(1, 41), 1);
    Rebuild(view, 2015, 3);
    EXPECT_EQ(view.cells().size(), 31u);
}

// Each item as its kind, box and text, to compare lists by.
std::vector<std::string> Items(const DisplayList& list) {
    std::vector<std::string> items;
    for (const DisplayItem& item : list.items) {
        std::visit(
            [&](const auto& shape) {
                std::string text = std::to_string(item.index()) + " " + std::to_string(shape.box.left) + "," +
                                   std::to_string(shape.box.top) + "," + std::to_string(shape.box.right) + "," +
                                   std::to_string(shape.box.bottom);
                if constexpr (std::is_same_v<std::decay_t<decltype(shape)>, DisplayText>) text += " " + shape.text;
                items.push_back(text);
            },
            item);
    }
    return items;
}

TEST_F(MonthViewTest, TheNextDaysMonthIsLaidOutAsItsRebuildWouldBeLeavingTheViewAsItWas) {
    options_.dpi = 168;
    MonthView view = View();
    Rebuild(view, 2015, 2);
    const std::vector<std::string> shown = Items(view.display());
    MonthView nextDay(days_, FontFamilyQuery(), [] { return D(2015, 2, 19); });
    Rebuild(nextDay, 2015, 2);

    const std::vector<std::string> ahead = Items(view.DisplayOn(Month(2015, 2), D(2015, 2, 19)));
    EXPECT_EQ(ahead, Items(nextDay.display()));
    EXPECT_NE(ahead, shown) << "today's ring moved on";
    EXPECT_EQ(Items(view.display()), shown);
    EXPECT_EQ(view.yearBack(), ScaleForDpi(Rect{1, 2, 3, 4}, 168)) << "scaled once";
}

TEST_F(MonthViewTest, TemplateEditsShowAtTheNextRebuild) {
    MonthView view = View();
    Rebuild(view, 2015, 2);
    EXPECT_FALSE(view.cells().empty());
    Write("config.ini", "[Settings]\r\n");
    Rebuild(view, 2015, 2);
    EXPECT_TRUE(view.cells().empty());
    EXPECT_EQ(view.display().backgroundPath, PathOf("backgroud.png"));
}

TEST_F(MonthViewTest, TheTemplateIsReadAgainOnlyWhenItsFilesChange) {
    MonthView view = View();
    for (int month = 1; month <= 3; ++month) Rebuild(view, 2015, month);
    EXPECT_EQ(view.templateReads(), 1);
    EXPECT_EQ(view.yearBack(), (Rect{1, 2, 3, 4}));
    // An edit of the same length is told by its time of writing.
    const auto written = std::filesystem::last_write_time(PathOf("config.ini"));
    Write("config.ini",
          "[Settings]\r\nBODY=0,20,140,140\r\nHEIGHTWEEKDAYROW=20\r\nLISTRECT=0,150,140,190\r\n"
          "YEARBACK=5,6,7,8\r\n");
    std::filesystem::last_write_time(PathOf("config.ini"), written + std::chrono::seconds(2));
    Rebuild(view, 2015, 3);
    EXPECT_EQ(view.templateReads(), 2);
    EXPECT_EQ(view.yearBack(), (Rect{5, 6, 7, 8}));
    // A picture appearing changes the window's size, so it counts too.
    Write("backgroud.png", "not a picture yet");
    Rebuild(view, 2015, 3);
    EXPECT_EQ(view.templateReads(), 3);
    // Another template is another pair of files.
    MonthOptions other = options_;
    other.backgroundPath = PathOf("other.png");
    view.Rebuild(other, Month(2015, 3));
    EXPECT_EQ(view.templateReads(), 4);
    EXPECT_EQ(view.display().backgroundPath, PathOf("other.png"));
}

TEST_F(MonthViewTest, ADamagedTemplateGivesWayToTheShippedOneReadOnceForAllRebuilds) {
    // The chosen template's config.ini is beyond the limit; the shipped one
    // (with its own hot spot) is sound.
    std::filesystem::create_directory(folder_ / "Default");
    Write("Default/config.ini", "[Settings]\r\nBODY=0,20,140,140\r\nYEARBACK=9,9,10,10\r\n");
    Write("config.ini", "[Settings]\r\n" + std::string(kProfileFileLimit, ';'));
    options_.fallbackBackgroundPath = PathOf("Default/backgroud.png");
    options_.fallbackConfigPath = PathOf("Default/config.ini");
    MonthView view = View();
    for (int month = 1; month <= 3; ++month) Rebuild(view, 2015, month);
    EXPECT_EQ(view.templateDamage(), SkinDamage::kConfiguration);
    EXPECT_TRUE(view.showsFallback());
    EXPECT_EQ(view.yearBack(), (Rect{9, 9, 10, 10}));
    EXPECT_EQ(view.display().backgroundPath, PathOf("Default/backgroud.png"));
    EXPECT_EQ(view.cells().size(), 31u);
    EXPECT_EQ(view.templateReads(), 2);

    // Repaired, it is shown again.
    Write("backgroud.png", PngHeader());
    Write("config.ini", "[Settings]\r\nBODY=0,20,140,140\r\nYEARBACK=1,2,3,4\r\n");
    Rebuild(view, 2015, 3);
    EXPECT_FALSE(view.templateDamaged());
    EXPECT_FALSE(view.showsFallback());
    EXPECT_EQ(view.yearBack(), (Rect{1, 2, 3, 4}));
}

TEST_F(MonthViewTest, AMissingTemplateGivesWayToTheShippedOneWithoutBeingDamaged) {
    // The settings name a template whose folder is gone.
    std::filesystem::create_directory(folder_ / "Default");
    Write("Default/config.ini", "[Settings]\r\nBODY=0,20,140,140\r\nYEARBACK=9,9,10,10\r\n");
    Write("Default/backgroud.png", PngHeader());
    options_.fallbackBackgroundPath = PathOf("Default/backgroud.png");
    options_.fallbackConfigPath = PathOf("Default/config.ini");
    MonthView view = View();
    MonthOptions gone = options_;
    gone.configPath = PathOf("Gone/config.ini");
    gone.backgroundPath = PathOf("Gone/backgroud.png");
    view.Rebuild(gone, Month(2015, 2));
    EXPECT_FALSE(view.templateDamaged());  // nothing to tell the user
    EXPECT_TRUE(view.showsFallback());
    EXPECT_EQ(view.skin().backgroundWidth, 320);
    EXPECT_EQ(view.yearBack(), (Rect{9, 9, 10, 10}));
}

TEST_F(MonthViewTest, ADamagedTemplateWithoutASoundFallbackShowsWhatItCan) {
    Write("config.ini", "[Settings]\r\n" + std::string(kProfileFileLimit, ';'));
    MonthView view = View();
    Rebuild(view, 2015, 2);  // no fallback named
    EXPECT_TRUE(view.templateDamaged());
    EXPECT_FALSE(view.showsFallback());
    EXPECT_TRUE(view.cells().empty());
    // The shipped template damaged too: still no fallback.
    std::filesystem::create_directory(folder_ / "Default");
    Write("Default/config.ini", "[Settings]\r\nBODY=0,20,140,140\r\n" + std::string(kProfileFileLimit, ';'));
    options_.fallbackConfigPath = PathOf("Default/config.ini");
    Rebuild(view, 2015, 2);
    EXPECT_TRUE(view.templateDamaged());
    EXPECT_FALSE(view.showsFallback());
}

TEST_F(MonthViewTest, TheListFollowsTheOptionsOfEachRebuild) {
    MonthView view = View();
    Rebuild(view, 2015, 2);
    EXPECT_EQ(ListLines(view), 0);
    options_.forenotice.showSolarTerms = true;
    Rebuild(view, 2015, 2);
    EXPECT_EQ(ListLines(view), 1);
    EXPECT_TRUE(view.options().forenotice.showSolarTerms);
    options_.listForDays = -1;
    Rebuild(view, 2015, 2);
    EXPECT_EQ(ListLines(view), 0);
}

}  // namespace
