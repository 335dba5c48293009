#include "festivals/festival_editor_form.h"

#include <gtest/gtest.h>

#include "tests/support/dates.h"
#include "tests/support/festival_samples.h"

#include "calendar/lunar_calendar.h"
#include "festivals/festival_file.h"
#include "festivals/festival_manager_model.h"

namespace {

FestivalRule Rule(const std::string& calendar, const std::string& dateRule) {
    return FestivalSample(calendar, dateRule).Kind("SR").Name("妈妈的生日");
}

// A form that passes every check but the date, which the test fills in.
FestivalEditorForm Form(const std::string& calendar, const std::string& dateForm) {
    FestivalEditorForm form;
    form.kind = "JR";
    form.calendar = calendar;
    form.name = "节日";
    form.dateForm = dateForm;
    return form;
}

std::string CodeOf(const FestivalEditorForm& form) {
    FestivalRule rule;
    EXPECT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kNone);
    return rule.dateRule;
}

TEST(FestivalEditorPages, FollowTheDateFormAndTheCalendar) {
    EXPECT_EQ(DatePageFor("1", "NL", kGregorianDatePage), kWeekdayOfMonthPage);
    EXPECT_EQ(DatePageFor("1", "", kGregorianDatePage), kWeekdayOfMonthPage);
    EXPECT_EQ(DatePageFor("2", "YL", kGregorianDatePage), kDaysFromGregorianDatePage);
    EXPECT_EQ(DatePageFor("2", "NL", kGregorianDatePage), kDaysFromLunarDatePage);
    EXPECT_EQ(DatePageFor("2", "", kWeekdayOfMonthPage), kWeekdayOfMonthPage);
    EXPECT_EQ(DatePageFor("3", "", kGregorianDatePage), kDaysFromSolarTermPage);
    EXPECT_EQ(DatePageFor("4", "YL", kWeekdayOfMonthPage), kGregorianDatePage);
    EXPECT_EQ(DatePageFor("", "NL", kWeekdayOfMonthPage), kLunarDatePage);
    EXPECT_EQ(DatePageFor("4", "", kDaysFromSolarTermPage), kDaysFromSolarTermPage);
}

TEST(FestivalEditorOpening, ANewBirthdayFromTheTrayShowsJanuaryFirstOnTheGregorianPage) {
    FestivalRule rule = Rule("YL", "1-1");
    rule.name.clear();
    rule.showInForenotice = rule.showReminderWindow = "1";
    const FestivalEditorForm form = EditorFormFromRule(rule);
    EXPECT_EQ(form.kind, "SR");
    EXPECT_EQ(form.calendar, "YL");
    EXPECT_EQ(form.dateForm, "4");
    EXPECT_EQ(DatePageFor(form.dateForm, form.calendar, kWeekdayOfMonthPage), kGregorianDatePage);
    EXPECT_EQ(form.pages[kGregorianDatePage].month, 1);
    EXPECT_EQ(form.pages[kGregorianDatePage].day, 1);
    EXPECT_TRUE(form.showInForenotice);
    EXPECT_TRUE(form.showReminderWindow);
}

TEST(FestivalEditorOpening, ReadsEachRuleFormBackIntoItsPage) {
    FestivalEditorForm msd = EditorFormFromRule(Rule("NL", "MSD:5:-1:1"));
    EXPECT_EQ(msd.dateForm, "1");
    EXPECT_EQ(msd.pages[kWeekdayOfMonthPage].month, 5);
    EXPECT_EQ(msd.pages[kWeekdayOfMonthPage].n, -1);
    EXPECT_EQ(msd.pages[kWeekdayOfMonthPage].weekday, 1);

    const DatePageChoice backward = EditorFormFromRule(Rule("YL", "OFFSET:-3:10-1")).pages[kDaysFromGregorianDatePage];
    EXPECT_EQ(backward.month, 10);
    EXPECT_EQ(backward.day, 1);
    EXPECT_EQ(backward.direction, -1);
    EXPECT_EQ(backward.count, "3");

    const DatePageChoice lunar = EditorFormFromRule(Rule("NL", "OFFSET:7:12-23")).pages[kDaysFromLunarDatePage];
    EXPECT_EQ(lunar.month, 12);
    EXPECT_EQ(lunar.day, 23);
    EXPECT_EQ(lunar.direction, 1);
    EXPECT_EQ(lunar.count, "7");

    FestivalEditorForm term = EditorFormFromRule(Rule("YL", "OFFSETJQ:9:冬至"));
    EXPECT_EQ(term.dateForm, "3");
    EXPECT_EQ(term.pages[kDaysFromSolarTermPage].term, "冬至");
    EXPECT_EQ(term.pages[kDaysFromSolarTermPage].count, "9");

    FestivalEditorForm fixed = EditorFormFromRule(Rule("NL", "8-15"));
    EXPECT_EQ(fixed.pages[kLunarDatePage].month, 8);
    EXPECT_EQ(fixed.pages[kLunarDatePage].day, 15);
}

TEST(FestivalEditorOpening, LeavesUnselectedWhatIsNoEntryOfItsList) {
    FestivalRule odd = Rule("GL", "13-40");
    odd.kind = "XX";
    odd.endDate = "2015-6";
    const FestivalEditorForm form = EditorFormFromRule(odd);
    EXPECT_EQ(form.kind, "");
    EXPECT_EQ(form.calendar, "");
    EXPECT_EQ(form.endYear, "");
    EXPECT_EQ(form.pages[kLunarDatePage], DatePageChoice());
    // A lunar month has no 31st; a term the almanac does not know is no entry.
    EXPECT_EQ(EditorFormFromRule(Rule("NL", "1-31")).pages[kLunarDatePage].day, 0);
    EXPECT_EQ(EditorFormFromRule(Rule("YL", "1-31")).pages[kGregorianDatePage].day, 31);
    EXPECT_EQ(EditorFormFromRule(Rule("YL", "OFFSETJQ:1:春节")).pages[kDaysFromSolarTermPage].term, "");
    // Lower-case markers are no marked form for the editor.
    EXPECT_EQ(EditorFormFromRule(Rule("YL", "msd:5:2:7")).dateForm, "4");
    EXPECT_EQ(EditorFormFromRule(Rule("YL", "msd:5:2:7")).pages[kGregorianDatePage], DatePageChoice());
}

TEST(FestivalEditorOk, WritesTheRuleCodesExactly) {
    FestivalEditorForm weekday = Form("YL", "1");
    weekday.pages[kWeekdayOfMonthPage] = {5, 0, 2, 7, 0, "", ""};
    EXPECT_EQ(CodeOf(weekday), "MSD:5:2:7");

    FestivalEditorForm backward = Form("YL", "2");
    backward.pages[kDaysFromGregorianDatePage] = {10, 1, 0, 0, -1, "3", ""};
    EXPECT_EQ(CodeOf(backward), "OFFSET:-3:10-1");

    FestivalEditorForm lunar = Form("NL", "2");
    lunar.pages[kDaysFromLunarDatePage] = {1, 1, 0, 0, 0, "400", ""};
    EXPECT_EQ(CodeOf(lunar), "OFFSET:400:1-1");  // no direction counts forward

    FestivalEditorForm term = Form("YL", "3");
    term.pages[kDaysFromSolarTermPage].term = "清明";
    EXPECT_EQ(CodeOf(term), "OFFSETJQ:0:清明");

    FestivalEditorForm fixed = Form("NL", "4");
    fixed.pages[kLunarDatePage] = {8, 15, 0, 0, 0, "", ""};
    EXPECT_EQ(CodeOf(fixed), "8-15");
    fixed.dateForm.clear();
    EXPECT_EQ(CodeOf(fixed), "8-15");
}

TEST(FestivalEditorOk, EveryRuleSurvivesOpeningAndOk) {
    for (const char* code :
         {"MSD:5:2:7", "MSD:11:-5:4", "OFFSET:-1:1-1", "OFFSET:0:10-1", "OFFSETJQ:-2:大寒", "12-8", "2-31"}) {
        for (const char* calendar : {"YL", "NL"}) {
            const FestivalRule rule = Rule(calendar, code);
            if (std::string(calendar) == "NL" && std::string(code) == "2-31") continue;
            FestivalRule edited = rule;
            EXPECT_EQ(ApplyEditorForm(EditorFormFromRule(rule), edited), EditorRefusal::kNone) << code;
            EXPECT_EQ(edited.dateRule, code) << calendar;
        }
    }
}

TEST(FestivalEditorOk, ValuesOnTheOtherCalendarsPageAreNotCarriedOver) {
    FestivalEditorForm form = EditorFormFromRule(Rule("YL", "OFFSET:3:10-1"));
    form.calendar = "NL";
    FestivalRule rule;
    EXPECT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kBadDate);
}

TEST(FestivalEditorOk, RefusesInTheOrderOfTheFormWithItsMessage) {
    FestivalEditorForm form;
    FestivalRule rule;
    EXPECT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kNoKind);
    EXPECT_EQ(RefusalMessage(EditorRefusal::kNoKind), "尚未选择节假日类型。");
    form.kind = "JNR";
    EXPECT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kNoCalendar);
    EXPECT_EQ(RefusalMessage(EditorRefusal::kNoCalendar), "尚未选择日期类型。");
    form.calendar = "YL";
    EXPECT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kNoName);
    EXPECT_EQ(RefusalMessage(EditorRefusal::kNoName), "尚未输入节日名称。");
    form.name = "结婚,订婚纪念日";
    form.dateForm = "1";
    form.pages[kWeekdayOfMonthPage] = {5, 0, 2, 0, 0, "", ""};
    EXPECT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kBadDate);
    EXPECT_EQ(RefusalMessage(EditorRefusal::kBadDate), "日期输入不正确或尚未输入。");
    form.dateForm = "3";
    EXPECT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kBadDate);
}

TEST(FestivalEditorOk, TakesTheOtherFieldsAsTypedAndLeavesEnabledAlone) {
    FestivalEditorForm form = EditorFormFromRule(Rule("YL", "2-14"));
    form.kind = "JNR";
    form.startYear = "abc";
    form.endYear = "2030";
    form.endMonth = "6";
    form.soundFile = "C:\\Sound\\滴滴.wav";
    form.showInForenotice = true;
    form.showReminderWindow = false;
    FestivalRule rule = Rule("YL", "2-14");
    rule.enabled = "0";
    EXPECT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kNone);
    EXPECT_EQ(rule.startYear, "abc");
    EXPECT_EQ(rule.endDate, "");  // the day was left empty: no end
    EXPECT_EQ(rule.soundFile, "C:\\Sound\\滴滴.wav");
    EXPECT_EQ(rule.showInForenotice, "1");
    EXPECT_EQ(rule.showReminderWindow, "0");
    EXPECT_EQ(rule.enabled, "0");
    form.endDay = "30";
    EXPECT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kNone);
    EXPECT_EQ(rule.endDate, "2030-6-30");
}

TEST(FestivalEditorOk, RefusesCharactersTheFileCannotStore) {
    // The editor reports them; what it hands over has "?" in their place.
    FestivalEditorForm form = EditorFormFromRule(Rule("YL", "2-14"));
    form.name = "生日?";
    form.nameLostCharacters = true;
    FestivalRule rule;
    EXPECT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kNameCharacters);
    EXPECT_NE(RefusalMessage(EditorRefusal::kNameCharacters).find("节日名称中有无法保存的字符"), std::string::npos);
    EXPECT_EQ(rule.name, "");

    form.nameLostCharacters = false;
    form.soundFile = "C:\\?.wav";
    form.soundFileLostCharacters = true;
    EXPECT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kSoundFileCharacters);
    EXPECT_NE(RefusalMessage(EditorRefusal::kSoundFileCharacters).find("声音文件的路径中有无法保存的字符"),
              std::string::npos);
    EXPECT_EQ(rule.soundFile, "");
}

TEST(FestivalEditorOk, RefusesASoundFileOnANetworkShareOrADevice) {
    FestivalEditorForm form = EditorFormFromRule(Rule("YL", "2-14"));
    FestivalRule rule;
    for (const char* path : {"\\\\host\\share\\a.wav", "\\\\?\\C:\\a.wav", "\\\\.\\COM1"}) {
        form.soundFile = path;
        EXPECT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kSoundFileOnNetwork) << path;
    }
    EXPECT_NE(RefusalMessage(EditorRefusal::kSoundFileOnNetwork).find("网络共享"), std::string::npos);
    form.soundFile = "生日.wav";
    EXPECT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kNone) << "a name under the Sound folder is fine";
}

TEST(FestivalEditorOk, RefusesARuleTooLongToLoadBackAndAcceptsOneThatJustFits) {
    // The whole line counts, commas written as their escape included.
    FestivalEditorForm form = EditorFormFromRule(Rule("NL", "8-15"));
    form.soundFile = "D:\\声音\\a,b.wav";
    FestivalRule rule;
    ASSERT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kNone);
    const std::size_t room = 2499 - FormatFestivalLine(rule).size();
    form.name += std::string(room, 'N');
    ASSERT_EQ(ApplyEditorForm(form, rule), EditorRefusal::kNone);
    ASSERT_EQ(FormatFestivalLine(rule).size(), 2499u);
    EXPECT_EQ(ParseFestivalFile(FormatFestivalFile({rule, rule})), (FestivalList{rule, rule}));

    form.name += "N";
    FestivalRule refused;
    EXPECT_EQ(ApplyEditorForm(form, refused), EditorRefusal::kTooLong);
    EXPECT_EQ(RefusalMessage(EditorRefusal::kTooLong), "节日名称和声音文件路径太长，无法保存。请删减后再保存。");
    form.name = "中秋";
    form.soundFile = std::string(1300, ',');
    EXPECT_EQ(ApplyEditorForm(form, refused), EditorRefusal::kTooLong);
}

// 添加旧历节日... on a day of a leap month: the editor opens on that leap
// month, names the clicked day and the years the festival falls in, and 确定
// writes the leap month into the rule.
TEST(FestivalEditorLeapMonth, ADayOfALeapMonthStaysInItFromTheDayMenuToTheFile) {
    struct Case {
        int year, month, day;
        bool leap;
        const char *code, *hint;
    };
    const Case cases[] = {
        {2023, 2, 10, true, "闰2-10", "即阳历2023年3月31日\n逢闰二月：2023、2042、2099年\n其余年份在二月初十"},
        {2020, 4, 10, true, "闰4-10", "即阳历2020年6月1日\n逢闰四月：2020、2058、2069年…\n其余年份在四月初十"},
        {2025, 6, 10, true, "闰6-10", "即阳历2025年8月3日\n逢闰六月：2025、2036、2055年…\n其余年份在六月初十"},
        {2023, 2, 10, false, "2-10", "即阳历2023年3月1日"},
    };
    for (const Case& c : cases) {
        const FestivalRule rule = NewFestivalRule(DayManagerRequest(c.year, c.month, c.day, true, c.leap));
        EXPECT_EQ(rule.dateRule, c.code);
        FestivalEditorForm form = EditorFormFromRule(rule);
        const DatePage page = DatePageFor(form.dateForm, form.calendar, kGregorianDatePage);
        ASSERT_EQ(page, kLunarDatePage) << c.code;
        EXPECT_EQ(form.pages[page].month, c.leap ? kLeapMonthCode + c.month : c.month) << c.code;
        EXPECT_EQ(
            FestivalDateHint(page, form.pages[page], *DayManagerRequest(c.year, c.month, c.day, true, c.leap).day),
            c.hint)
            << c.code;
        FestivalRule saved = rule;
        form.name = "生日";
        ASSERT_EQ(ApplyEditorForm(form, saved), EditorRefusal::kNone) << c.code;
        EXPECT_EQ(saved.dateRule, c.code);
    }
}

TEST(FestivalEditorLeapMonth, InAYearWithoutTheLeapMonthTheHintGivesTheRegularDay) {
    DatePageChoice choice;
    choice.month = kLeapMonthCode + 2;
    choice.day = 10;
    EXPECT_EQ(FestivalDateHint(kLunarDatePage, choice, D(2026, 1, 1)),
              "即阳历2026年3月28日\n逢闰二月：2042、2099年\n其余年份在二月初十");
    // Once it has passed, the hint gives the next year's day.
    EXPECT_EQ(FestivalDateHint(kLunarDatePage, choice, D(2026, 12, 8)),
              "即阳历2027年3月17日\n逢闰二月：2042、2099年\n其余年份在二月初十");
    // Only the fixed lunar date knows leap months; the Gregorian page ignores
    // the mark, a count from a date refuses a leap month.
    EXPECT_EQ(EditorFormFromRule(FestivalSample("YL", "闰2-10")).pages[kGregorianDatePage].month, 0);
    FestivalEditorForm offset = Form("NL", kDaysFromDateForm);
    offset.pages[kDaysFromLunarDatePage].month = kLeapMonthCode + 2;
    offset.pages[kDaysFromLunarDatePage].day = 10;
    FestivalRule rule;
    EXPECT_EQ(ApplyEditorForm(offset, rule), EditorRefusal::kBadDate);
}

// From 2026-12-08 (十月三十): a lunar date is the next day it comes, a
// Gregorian one this year's.
TEST(FestivalEditorHint, AFixedDateIsShownInTheOtherCalendarOnTheNextDayItComes) {
    const struct {
        DatePage page;
        int month, day;
        const char* hint;
    } kCases[] = {
        {kLunarDatePage, 12, 8, "即阳历2027年1月15日"},
        {kLunarDatePage, 8, 12, "即阳历2027年9月12日"},   // not 2026年9月22日, gone by
        {kLunarDatePage, 10, 30, "即阳历2026年12月8日"},  // the day itself
        {kLunarDatePage, 11, 1, "即阳历2026年12月9日"},
        {kGregorianDatePage, 12, 8, "今年即旧历十月三十"},
        {kGregorianDatePage, 2, 30, "没有这一天"},
        {kGregorianDatePage, 12, 0, ""},  // no day chosen yet
        {kDaysFromLunarDatePage, 12, 8, ""},
        {kWeekdayOfMonthPage, 5, 2, ""},
    };
    for (const auto& c : kCases) {
        DatePageChoice choice;
        choice.month = c.month;
        choice.day = c.day;
        EXPECT_EQ(FestivalDateHint(c.page, choice, D(2026, 12, 8)), c.hint) << c.page << " " << c.month << "-" << c.day;
    }
}

// 添加阳历节日... or 添加旧历节日... on a day, then the calendar switched:
// the date stays the day clicked, in the other calendar's words.
TEST(FestivalEditorCalendarSwitch, TheDayTheDayMenuFilledStaysTheDayClicked) {
    struct Case {
        DatePage from, to;
        int month, day;  // on the page left
        Date clicked;
        int carriedMonth, carriedDay;
    };
    const Case cases[] = {
        {kGregorianDatePage, kLunarDatePage, 12, 8, D(2026, 12, 8), 10, 30},
        {kGregorianDatePage, kLunarDatePage, 3, 31, D(2023, 3, 31), kLeapMonthCode + 2, 10},
        {kLunarDatePage, kGregorianDatePage, 10, 30, D(2026, 12, 8), 12, 8},
        {kLunarDatePage, kGregorianDatePage, kLeapMonthCode + 2, 10, D(2023, 3, 31), 3, 31},
        {kLunarDatePage, kGregorianDatePage, 2, 10, D(2023, 3, 31), 3, 1},
        {kLunarDatePage, kGregorianDatePage, 12, 8, D(2027, 1, 15), 1, 15},  // 腊月 in the next Gregorian year
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clicked.ToString());
        DatePageChoice shown;
        shown.month = c.month;
        shown.day = c.day;
        const auto carried = CarryFixedDate(c.from, c.to, shown, c.clicked);
        ASSERT_TRUE(carried.has_value());
        EXPECT_EQ(carried->month, c.carriedMonth);
        EXPECT_EQ(carried->day, c.carriedDay);
    }
    DatePageChoice half;
    half.month = 12;
    EXPECT_FALSE(CarryFixedDate(kGregorianDatePage, kLunarDatePage, half, D(2026, 12, 8)).has_value());
    DatePageChoice whole;
    whole.month = 12;
    whole.day = 8;
    EXPECT_FALSE(CarryFixedDate(kGregorianDatePage, kDaysFromLunarDatePage, whole, D(2026, 12, 8)).has_value());
    EXPECT_FALSE(CarryFixedDate(kGregorianDatePage, kLunarDatePage, DatePageChoice{2, 30}, D(2026, 12, 8)).has_value());
}

}  // namespace
