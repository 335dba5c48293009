#include "festivals/festival_manager_model.h"

#include <gtest/gtest.h>

#include "tests/support/dates.h"
#include "tests/support/festival_samples.h"

namespace {

FestivalRule Named(const std::string& name, const std::string& enabled = "1") {
    return FestivalSample("YL", "10-1").Name(name).Enabled(enabled);
}

std::string Names(const FestivalManagerModel& rows) {
    std::string names;
    for (int i = 0; i < rows.size(); ++i) names += rows.rule(i).name + (rows.checked(i) ? "+" : "-") + " ";
    return names;
}

TEST(FestivalManagerRequests, NewRulesAreOfTheRequestedKindOnTheRequestedDate) {
    const FestivalRule fromTray = NewFestivalRule(TrayManagerRequest(false));
    EXPECT_EQ(fromTray.calendar, "YL");
    EXPECT_EQ(fromTray.kind, "SR");
    EXPECT_EQ(fromTray.dateRule, "1-1");
    EXPECT_EQ(fromTray.showInForenotice, "1");
    EXPECT_EQ(fromTray.showReminderWindow, "1");
    EXPECT_EQ(fromTray.name + fromTray.enabled + fromTray.startYear, "");
    EXPECT_FALSE(TrayManagerRequest(false).addMode);
    EXPECT_TRUE(TrayManagerRequest(true).addMode);

    const FestivalManagerRequest lunarDay = DayManagerRequest(2026, 8, 15, true);
    EXPECT_TRUE(lunarDay.addMode);
    EXPECT_EQ(NewFestivalRule(lunarDay).calendar, "NL");
    EXPECT_EQ(NewFestivalRule(lunarDay).dateRule, "8-15");
    EXPECT_EQ(NewFestivalRule(lunarDay).kind, "SR");
    EXPECT_EQ(lunarDay.day, D(2026, 9, 25));
    // 添加阳历节日... adds a festival, as it says.
    const FestivalManagerRequest gregorianDay = DayManagerRequest(2026, 12, 4, false);
    EXPECT_EQ(NewFestivalRule(gregorianDay).calendar, "YL");
    EXPECT_EQ(NewFestivalRule(gregorianDay).kind, "JR");
    EXPECT_EQ(gregorianDay.day, D(2026, 12, 4));
}

TEST(FestivalManagerRows, ShowTheDescriptionInSevenColumns) {
    FestivalRule rule = Named("妈妈的生日");
    rule.calendar = "NL";
    rule.kind = "SR";
    rule.dateRule = "8-15";
    rule.startYear = "1980";
    rule.soundFile = "a.wav";
    const std::vector<std::string> expected = {"生日", "旧历", "妈妈的生日", "八月十五", "1980年", "", "a.wav"};
    EXPECT_EQ(FestivalRowCells(rule), expected);
    EXPECT_EQ(FestivalRowCells(Named("x", "")).at(3), "10月1日");
}

TEST(FestivalManagerRows, CheckBoxesShowWhatTheCalendarCountsAndKeepUntouchedValues) {
    FestivalManagerModel rows({Named("a", "1"), Named("b", ""), Named("c", "0"), Named("d", "yes")});
    EXPECT_EQ(Names(rows), "a+ b+ c- d+ ") << "an empty enabled field is on, as the calendar takes it";
    rows.SetChecked(1, true);
    EXPECT_FALSE(rows.modified()) << "a box set to what it shows is no change";
    FestivalList saved = rows.ForSaving();
    EXPECT_EQ(saved[1].enabled, "") << "an untouched field goes back as it was read";
    EXPECT_EQ(saved[3].enabled, "yes");

    rows.SetChecked(2, true);
    rows.SetChecked(0, false);
    EXPECT_TRUE(rows.modified()) << "a changed box is asked about at close like any edit";
    saved = rows.ForSaving();
    EXPECT_EQ(saved[0].enabled + "|" + saved[1].enabled + "|" + saved[2].enabled, "0||1");
}

TEST(FestivalManagerRows, UntickingAnEmptyFieldWritesZeroAndTickingItAgainKeepsItEmpty) {
    FestivalManagerModel rows({Named("b", "")});
    rows.SetChecked(0, false);
    EXPECT_EQ(rows.ForSaving()[0].enabled, "0");
    rows.SetChecked(0, true);
    EXPECT_EQ(rows.ForSaving()[0].enabled, "");
}

TEST(FestivalManagerRows, AddPutsTheCheckedRuleAboveTheSelectionOrAtTheTop) {
    FestivalManagerModel rows({Named("a"), Named("b", "0")});
    EXPECT_EQ(rows.Add(Named("new", "")), 0);
    EXPECT_EQ(Names(rows), "new+ a+ b- ");
    EXPECT_TRUE(rows.modified());
    rows.Select(2);
    EXPECT_EQ(rows.Add(Named("mid", "")), 2);
    EXPECT_EQ(Names(rows), "new+ a+ mid+ b- ");
    EXPECT_EQ(rows.selected(), 2);
}

TEST(FestivalManagerRows, EditNeedsASelectionAndKeepsTheCheckBox) {
    FestivalManagerModel rows({Named("a", "0")});
    EXPECT_FALSE(rows.EditSelected(Named("z")));
    EXPECT_FALSE(rows.modified());
    rows.Select(0);
    EXPECT_TRUE(rows.EditSelected(Named("z")));
    EXPECT_EQ(Names(rows), "z- ");
    EXPECT_TRUE(rows.modified());
}

TEST(FestivalManagerRows, DeleteSelectsTheRowThatTakesItsPlaceOrTheNewLast) {
    FestivalManagerModel rows({Named("a"), Named("b"), Named("c")});
    EXPECT_FALSE(rows.DeleteSelected());
    rows.Select(1);
    EXPECT_TRUE(rows.DeleteSelected());
    EXPECT_EQ(Names(rows), "a+ c+ ");
    EXPECT_EQ(rows.selected(), 1);
    EXPECT_TRUE(rows.DeleteSelected());
    EXPECT_EQ(rows.selected(), 0);
    EXPECT_TRUE(rows.DeleteSelected());
    EXPECT_EQ(rows.size(), 0);
    EXPECT_EQ(rows.selected(), -1);
    EXPECT_TRUE(rows.ForSaving().empty());
}

TEST(FestivalManagerRows, MovesCarryTheCheckBoxAndTheSelection) {
    FestivalManagerModel rows({Named("a"), Named("b", "0"), Named("c")});
    EXPECT_EQ(rows.MoveSelectedUp(), RowMove::kNoSelection);
    rows.Select(0);
    EXPECT_EQ(rows.MoveSelectedUp(), RowMove::kAtEdge);
    rows.Select(2);
    EXPECT_EQ(rows.MoveSelectedDown(), RowMove::kAtEdge);
    EXPECT_FALSE(rows.modified()) << "nothing moved at the edges";
    rows.Select(1);
    EXPECT_EQ(rows.MoveSelectedDown(), RowMove::kMoved);
    EXPECT_EQ(Names(rows), "a+ c+ b- ");
    EXPECT_EQ(rows.selected(), 2);
    EXPECT_EQ(rows.MoveSelectedUp(), RowMove::kMoved);
    EXPECT_EQ(rows.MoveSelectedUp(), RowMove::kMoved);
    EXPECT_EQ(Names(rows), "b- a+ c+ ");
    EXPECT_EQ(rows.selected(), 0);
    EXPECT_TRUE(rows.modified());
}

}  // namespace
