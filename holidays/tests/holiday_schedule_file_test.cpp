// The public-holiday schedule file (Ostrel/offdays.cfg): reading, the holiday
// periods and their texts, and merging a year fetched from the update site.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/file_system.h"
#include "base/text_encoding.h"
#include "base/text_file_encoding.h"
#include "holidays/holiday_schedule.h"
#include "tests/support/dates.h"
#include "tests/support/holiday_schedule_samples.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> DateTexts(const std::vector<Date>& dates) {
    std::vector<std::string> texts;
    for (const Date& date : dates) texts.push_back(date.ToString());
    return texts;
}

std::vector<int> ProblemLines(const OffDayFile& file) {
    std::vector<int> lines;
    for (const OffDayProblem& problem : file.problems) lines.push_back(problem.line);
    return lines;
}

const char k2026[] =
    "# 2026\r\n"
    "2026-01-01,休,元旦\r\n2026-01-02,休,元旦\r\n2026-01-03,休,元旦\r\n2026-01-04,班,元旦\r\n"
    "2026-02-14,班,春节\r\n2026-02-15,休,春节\r\n2026-02-16,休,春节\r\n2026-02-17,休,春节\r\n"
    "2026-02-18,休,春节\r\n2026-02-19,休,春节\r\n2026-02-20,休,春节\r\n2026-02-21,休,春节\r\n"
    "2026-02-22,休,春节\r\n2026-02-23,休,春节\r\n2026-02-28,班,春节\r\n"
    "2026-09-20,班,国庆节\r\n2026-09-25,休,中秋节\r\n2026-09-26,休,中秋节\r\n2026-09-27,休,中秋节\r\n"
    "2026-10-01,休,国庆节\r\n2026-10-02,休,国庆节\r\n2026-10-03,休,国庆节\r\n2026-10-04,休,国庆节\r\n"
    "2026-10-05,休,国庆节\r\n2026-10-06,休,国庆节\r\n2026-10-07,休,国庆节\r\n2026-10-10,班,国庆节\r\n";

TEST(OffDayFileTest, ReadsDaysOffAndMakeUpWorkingDaysWithTheirHolidays) {
    const OffDayFile file = ParseOffDays(k2026);
    EXPECT_THAT(file.problems, IsEmpty());
    ASSERT_NE(file.schedule.Find(D(2026, 10, 1)), nullptr);
    EXPECT_EQ(file.schedule.Find(D(2026, 10, 1))->kind, OffDayKind::kOff);
    EXPECT_EQ(file.schedule.Find(D(2026, 10, 1))->name, "国庆节");
    ASSERT_NE(file.schedule.Find(D(2026, 9, 20)), nullptr);
    EXPECT_EQ(file.schedule.Find(D(2026, 9, 20))->kind, OffDayKind::kWork);
    EXPECT_EQ(file.schedule.Find(D(2026, 10, 8)), nullptr);
    EXPECT_THAT(file.schedule.CoveredYears(), ElementsAre(2026));
}

TEST(OffDayFileTest, SkipsEachBadLineNamesItAndKeepsTheRest) {
    const OffDayFile file = ParseOffDays(
        "2026-10-01,休,国庆节\r\n"
        "2026-02-30,休,春节\r\n"        // no such date
        "2026-10-02,放,国庆节\r\n"      // neither 休 nor 班
        "2026-10-03,休,\r\n"            // no name
        "2026-10-04,休,国庆,节\r\n"     // four fields
        "2026-10-05,休,国庆\x01节\r\n"  // control character
        "2026-10-06,休,\x81\r\n"        // half a GBK character
        "2100-01-01,休,元旦\r\n"        // beyond the calendar
        "26-10-07,休,国庆节\r\n"        // two-digit year
        "; comment\r\n\r\n   \r\n"
        "2026-10-07,休,国庆节");
    EXPECT_THAT(ProblemLines(file), ElementsAre(2, 3, 4, 5, 6, 7, 8, 9));
    EXPECT_EQ(file.schedule.size(), 2u);
    EXPECT_NE(file.schedule.Find(D(2026, 10, 7)), nullptr);
}

TEST(OffDayFileTest, ALaterLineForTheSameDateWinsAndTheEarlierIsNamed) {
    const OffDayFile file = ParseOffDays("2026-10-08,休,国庆节\n2026-10-08,班,国庆节\n");
    ASSERT_NE(file.schedule.Find(D(2026, 10, 8)), nullptr);
    EXPECT_EQ(file.schedule.Find(D(2026, 10, 8))->kind, OffDayKind::kWork);
    EXPECT_THAT(ProblemLines(file), ElementsAre(1));
}

TEST(OffDayFileTest, AcceptsSpacesAroundFieldsAndShortMonthAndDayNumbers) {
    const OffDayFile file = ParseOffDays("  2026-5-1 , 休 , 劳动节 \n");
    EXPECT_THAT(file.problems, IsEmpty());
    ASSERT_NE(file.schedule.Find(D(2026, 5, 1)), nullptr);
    EXPECT_EQ(file.schedule.Find(D(2026, 5, 1))->name, "劳动节");
}

TEST(OffDayFileTest, ReadsAFileAnEditorSavedAsUtf8) {
    // "2026-10-01,休,国庆节" in UTF-8, with and without a byte-order mark.
    const std::string utf8 = "2026-10-01,\xE4\xBC\x91,\xE5\x9B\xBD\xE5\xBA\x86\xE8\x8A\x82\r\n";
    for (const std::string& contents : {utf8, "\xEF\xBB\xBF" + utf8}) {
        const OffDayFile file = ParseOffDays(contents);
        EXPECT_THAT(file.problems, IsEmpty());
        ASSERT_NE(file.schedule.Find(D(2026, 10, 1)), nullptr);
        EXPECT_EQ(file.schedule.Find(D(2026, 10, 1))->name, "国庆节");
    }
}

TEST(OffDayFileTest, ReadsNoFurtherThanTheSizeLimitAndSaysSo) {
    std::string contents;
    while (contents.size() < kMaxOffDayFileBytes) contents += "# padding padding padding padding padding\r\n";
    contents += "2026-10-01,休,国庆节\r\n";
    const OffDayFile file = ParseOffDays(contents);
    EXPECT_EQ(file.schedule.Find(D(2026, 10, 1)), nullptr);
    ASSERT_EQ(file.problems.size(), 1u);
}

TEST(OffDayFileTest, AMissingFileIsAnEmptyScheduleAndAFolderIsAFailure) {
    OffDayFile file;
    EXPECT_TRUE(LoadOffDays("/nonexistent/offdays.cfg", file));
    EXPECT_TRUE(file.schedule.empty());
    EXPECT_FALSE(LoadOffDays("/tmp", file));
}

TEST(HolidayPeriodTest, GroupsDaysOffAndAttachesMakeUpDaysAcrossAMonthBoundary) {
    const std::vector<HolidayPeriod> periods = HolidayPeriods(ParseOffDays(k2026).schedule);
    ASSERT_EQ(periods.size(), 4u);
    const HolidayPeriod& spring = periods[1];
    EXPECT_EQ(spring.name, "春节");
    EXPECT_EQ(spring.first, D(2026, 2, 15));
    EXPECT_EQ(spring.last, D(2026, 2, 23));
    EXPECT_EQ(spring.days, 9);
    EXPECT_THAT(DateTexts(spring.workDays), ElementsAre("2026-02-14", "2026-02-28"));
    EXPECT_EQ(HolidayPeriodText(spring), "春节：2月15日至23日放假调休，共9天");
    EXPECT_EQ(HolidayWorkDaysText(spring), "2月14日（周六）、2月28日（周六）上班");
    // 中秋节 lies between 国庆节 and its make-up day of 20 September.
    EXPECT_EQ(periods[2].name, "中秋节");
    EXPECT_EQ(HolidayPeriodText(periods[2]), "中秋节：9月25日至27日放假，共3天");
    EXPECT_EQ(HolidayWorkDaysText(periods[2]), "");
    EXPECT_EQ(HolidayPeriodText(periods[3]), "国庆节：10月1日至7日放假调休，共7天");
    EXPECT_EQ(HolidayWorkDaysText(periods[3]), "9月20日（周日）、10月10日（周六）上班");
}

TEST(HolidayPeriodTest, ANewYearHolidayStartingInDecemberBelongsToTheComingYear) {
    const OffDaySchedule schedule =
        ParseOffDays("2007-12-29,班,元旦\n2007-12-30,休,元旦\n2007-12-31,休,元旦\n2008-01-01,休,元旦\n").schedule;
    const std::vector<HolidayPeriod> periods = HolidayPeriods(schedule);
    ASSERT_EQ(periods.size(), 1u);
    EXPECT_EQ(periods[0].Year(), 2008);
    EXPECT_EQ(HolidayPeriodText(periods[0]), "元旦：12月30日至1月1日放假调休，共3天");
    EXPECT_EQ(HolidayWorkDaysText(periods[0]), "12月29日（周六）上班");
    EXPECT_THAT(schedule.CoveredYears(), ElementsAre(2008));
}

TEST(HolidayPeriodTest, OneDayOffAndTheBalloonTexts) {
    const OffDaySchedule schedule = ParseOffDays("2008-04-04,休,清明节\n2008-05-04,班,劳动节\n").schedule;
    EXPECT_EQ(HolidayPeriodText(HolidayPeriods(schedule).at(0)), "清明节：4月4日放假，共1天");
    EXPECT_EQ(OffDayBalloonText(*schedule.Find(D(2008, 4, 4))), "清明节假期 休");
    EXPECT_EQ(OffDayBalloonText(*schedule.Find(D(2008, 5, 4))), "劳动节调休上班 班");
}

TEST(HolidayPeriodTest, EachDayOffAndMakeUpDayFindsTheHolidayItServes) {
    const std::vector<HolidayPeriod> periods = HolidayPeriods(ParseOffDays(k2026).schedule);
    struct Case {
        Date date;
        const char* holiday;  // "" for none
    };
    const Case cases[] = {
        {D(2026, 9, 20), "国庆节"},  // a make-up day before 中秋节 serves 国庆节
        {D(2026, 9, 26), "中秋节"}, {D(2026, 10, 7), "国庆节"}, {D(2026, 10, 10), "国庆节"},
        {D(2026, 2, 14), "春节"},   {D(2026, 9, 21), ""},
    };
    for (const Case& c : cases) {
        const HolidayPeriod* period = PeriodOfDay(periods, c.date);
        EXPECT_EQ(period ? period->name : "", c.holiday) << c.date.ToString();
    }
    EXPECT_EQ(MakeUpDaysText(periods[3], {D(2026, 9, 20)}), "国庆节调休：9月20日（周日）上班");
    EXPECT_EQ(MakeUpDaysText(periods[3], {}), "");
}

TEST(HolidayPeriodTest, CoveredYearsAreWrittenAsRanges) {
    EXPECT_EQ(CoveredYearsText(OffDaySchedule{}), "");
    EXPECT_EQ(CoveredYearsText(ParseOffDays("2010-01-01,休,元旦\n2011-01-01,休,元旦\n2013-01-01,休,元旦\n").schedule),
              "2010-2011、2013");
}

// The file that ships with the program holds exactly the days of the compiled
// schedule (tools/offdays/cn-public-holidays.tsv, from which it is made).
// The shipped schedule is replaced by updates; the user's file beside it,
// which no update touches, corrects it date by date.
TEST(ShippedOffDaysTest, TheUsersFileOverridesTheShippedOneByDate) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "offdays-override";
    std::filesystem::create_directories(folder);
    const std::filesystem::path user = folder / "offdays.cfg";
    ASSERT_TRUE(ReplaceFileAtomically(ShippedOffDaysPath(user), k2026));
    OffDayFile file;
    ASSERT_TRUE(LoadOffDays(user, file)) << "no file of the user's yet";
    EXPECT_EQ(file.schedule.Find(D(2026, 10, 10))->kind, OffDayKind::kWork);

    ASSERT_TRUE(ReplaceFileAtomically(user, "2026-10-10,休,国庆节\r\n2027-01-01,休,元旦\r\nbad\r\n"));
    ASSERT_TRUE(LoadOffDays(user, file));
    EXPECT_EQ(file.schedule.Find(D(2026, 10, 10))->kind, OffDayKind::kOff);
    EXPECT_NE(file.schedule.Find(D(2027, 1, 1)), nullptr);
    EXPECT_NE(file.schedule.Find(D(2026, 10, 1)), nullptr);
    EXPECT_THAT(ProblemLines(file), ElementsAre(3)) << "only the user's lines are named";
    std::filesystem::remove_all(folder);
}

// The largest file read is taken in whole; one beyond it is not parsed.
TEST(ShippedOffDaysTest, AFileAtItsLimitLoadsAndALargerOneIsRefused) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "offdays-limit";
    std::filesystem::create_directories(folder);
    const std::filesystem::path user = folder / "offdays.cfg";
    std::string text = "2026-10-01,休,国庆节\r\n";
    text.resize(kOffDayFileLimit, '\n');
    ASSERT_TRUE(ReplaceFileAtomically(user, text));
    OffDayFile file;
    ASSERT_TRUE(LoadOffDays(user, file));
    EXPECT_NE(file.schedule.Find(D(2026, 10, 1)), nullptr);
    ASSERT_TRUE(ReplaceFileAtomically(user, text + "\n"));
    EXPECT_FALSE(LoadOffDays(user, file));
    std::filesystem::remove_all(folder);
}

TEST(ShippedOffDaysTest, HoldsExactlyTheDaysOfTheCompiledSchedule) {
    std::string shipped, tsv;
    ASSERT_TRUE(ReadWholeFile(std::string(SOLVANE_SOURCE_DIR) + "/data/Ostrel/offdays-shipped.cfg", shipped));
    ASSERT_TRUE(ReadWholeFile(std::string(SOLVANE_SOURCE_DIR) + "/tools/offdays/cn-public-holidays.tsv", tsv));
    EXPECT_EQ(shipped.find('\n'), shipped.find("\r\n") + 1) << "CR LF line ends";

    const OffDayFile file = ParseOffDays(shipped);
    EXPECT_THAT(file.problems, IsEmpty());
    std::vector<std::string> expected, actual;
    std::istringstream lines(GbkFromUtf8(tsv));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#' || line.rfind("date\t", 0) == 0) continue;
        std::istringstream fields(line);
        std::string date, name, kind;
        std::getline(fields, date, '\t');
        std::getline(fields, name, '\t');
        std::getline(fields, kind, '\t');
        expected.push_back(date + "," + kind + "," + name);
    }
    for (const OffDay& day : file.schedule.Days()) actual.push_back(FormatOffDayLine(day));
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(static_cast<std::size_t>(file.dayLines), expected.size());
    EXPECT_EQ(CoveredYearsText(file.schedule), "2007-2026");

    // Every make-up working day belongs to a holiday.
    std::size_t workDays = 0, attached = 0;
    for (const OffDay& day : file.schedule.Days()) workDays += day.kind == OffDayKind::kWork;
    for (const HolidayPeriod& period : HolidayPeriods(file.schedule)) attached += period.workDays.size();
    EXPECT_EQ(attached, workDays);
}

// A whole year of days off, as a faulty publication served it.
std::string WholeYearOff(int year) {
    std::string text;
    for (const Date date : DateRange(D(year, 1, 1), D(year, 12, 31))) text += date.ToString() + ",休,春节\r\n";
    return text;
}

class ServedOffDaysTest : public ::testing::Test {
protected:
    OffDaySchedule current_ = ParseOffDays(k2026).schedule;
};

TEST_F(ServedOffDaysTest, TakesTheYearAskedForWholeIncludingADecemberMakeUpDay) {
    const ServedOffDays served = CheckServedOffDays(current_, std::string("# 2027\r\n") + kServed2027, 2027);
    EXPECT_EQ(served.verdict, ServedOffDaysVerdict::kMerged);
    EXPECT_EQ(served.days.size(), 35u);
    EXPECT_EQ(served.days.front().date, D(2026, 12, 26));
}

TEST_F(ServedOffDaysTest, RefusesEveryYearButTheOneAskedFor) {
    struct Case {
        std::string served;
        int asked;
    };
    const Case cases[] = {
        {WholeYearOff(2098), 2027},                                   // far ahead
        {kServed2027, 2028},                                          // a year early
        {k2026, 2027},                                                // a year late
        {std::string(kServed2027) + "2028-01-01,休,元旦\r\n", 2027},  // and a day of the next
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckServedOffDays(OffDaySchedule(), c.served, c.asked).verdict, ServedOffDaysVerdict::kWrongYear)
            << "asked for " << c.asked << ":\n"
            << c.served.substr(0, 60);
    }
}

TEST_F(ServedOffDaysTest, RefusesAYearThatIsNoNotice) {
    const std::string noNotice[] = {
        WholeYearOff(2027),
        "2027-01-01,休,元旦\r\n",                               // one holiday alone
        std::string(kServed2027) + "2027-06-10,班,端午节\r\n",  // a Thursday
        [] {
            std::string text = kServed2027;
            const std::string from = "2027-06-09,休,端午节";
            return text.replace(text.find(from), from.size(), "2027-06-09,休,公司年会");
        }(),
    };
    for (const std::string& served : noNotice) {
        EXPECT_EQ(CheckServedOffDays(current_, served, 2027).verdict, ServedOffDaysVerdict::kImplausible)
            << served.substr(0, 80);
    }
}

TEST_F(ServedOffDaysTest, AYearMergedBeforeNeverBlocksTheYearAskedFor) {
    // A whole year of 2098 taken in by a version that did not check.
    OffDaySchedule current = current_;
    for (const OffDay& day : ParseOffDays(WholeYearOff(2098)).schedule.Days()) current.Set(day);
    EXPECT_EQ(CheckServedOffDays(current, kServed2027, 2027).verdict, ServedOffDaysVerdict::kMerged);
}

TEST_F(ServedOffDaysTest, RefusesAnythingThatTouchesAYearOrADayAlreadyPresent) {
    EXPECT_EQ(CheckServedOffDays(current_, k2026, 2026).verdict, ServedOffDaysVerdict::kChangesPast);
    OffDaySchedule withOwnDay = current_;
    withOwnDay.Set(OffDay{D(2027, 2, 20), OffDayKind::kWork, "春节"});  // typed in by the user
    EXPECT_EQ(CheckServedOffDays(withOwnDay, kServed2027, 2027).verdict, ServedOffDaysVerdict::kChangesPast);
}

TEST_F(ServedOffDaysTest, RefusesAFileWithABadLineOrTooManyLinesOrNoDays) {
    const std::string malformed[] = {
        std::string(kServed2027) + "2027-02-30,休,春节\n",
        "<html><body>Not Found</body></html>\n",
        "# nothing\n",
        [] {
            std::string text = kServed2027;
            for (std::size_t i = 0; i < kMaxServedOffDayLines; ++i) text += "#\n";
            return text;
        }(),
    };
    for (const std::string& served : malformed) {
        EXPECT_EQ(CheckServedOffDays(current_, served, 2027).verdict, ServedOffDaysVerdict::kMalformed)
            << served.substr(0, 60);
    }
}

class MergeOffDaysTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = ::testing::TempDir() + "offdays_merge_test.cfg";
        RemoveFile(path_);
    }
    void TearDown() override { RemoveFile(path_); }
    std::string Contents() {
        std::string contents;
        ReadWholeFile(path_, contents);
        return contents;
    }
    std::string path_;
    const Date december_ = D(2026, 12, 1);  // 2027 is asked for
};

TEST_F(MergeOffDaysTest, AppendsTheNewYearOnceKeepingTheUsersLinesAndComments) {
    ASSERT_TRUE(ReplaceFileAtomically(path_, std::string("# mine\r\n") + k2026 + "2026-10-08,休,国庆节"));
    const std::string before = Contents();
    EXPECT_TRUE(MergeServedOffDays(path_, kServed2027, december_));
    EXPECT_EQ(Contents(), before + "\r\n" + kServed2027);
    EXPECT_FALSE(MergeServedOffDays(path_, kServed2027, december_));
    EXPECT_EQ(Contents(), before + "\r\n" + kServed2027);
}

TEST_F(MergeOffDaysTest, TheDownloadAddsToTheFileInItsOwnEncodingAndCreatesAMissingOne) {
    const std::string mine = "# \xCE\xD2\xB5\xC4\r\n2026-10-01,\xD0\xDD,\xB9\xFA\xC7\xEC\xBD\xDA\r\n";  // GBK
    for (const TextFileEncoding encoding : {TextFileEncoding::kUtf16Le, TextFileEncoding::kUtf8}) {
        // An emoji the user typed has no GBK form: the old bytes are kept as they are.
        const std::string before = EncodeTextFile(mine, encoding, true) + EncodeTextFile("# ", encoding, false);
        ASSERT_TRUE(ReplaceFileAtomically(path_, before));
        ASSERT_TRUE(MergeServedOffDays(path_, kServed2027, december_));
        EXPECT_EQ(Contents(), before + EncodeTextFile(std::string("\r\n") + kServed2027, encoding, false));
        OffDayFile file;
        ASSERT_TRUE(LoadOffDays(path_, file));
        EXPECT_NE(file.schedule.Find(D(2027, 1, 1)), nullptr);
    }
    RemoveFile(path_);
    ASSERT_TRUE(MergeServedOffDays(path_, kServed2027, december_));
    EXPECT_EQ(Contents().substr(0, 1), "#");
    EXPECT_NE(Contents().find(kServed2027), std::string::npos);
}

TEST_F(MergeOffDaysTest, AFileInNoReadableEncodingIsNotWrittenOver) {
    const std::string utf32(
        "\xFF\xFE\0\0"
        "2\0\0\0",
        8);
    ASSERT_TRUE(ReplaceFileAtomically(path_, utf32));
    OffDayFile file;
    EXPECT_FALSE(LoadOffDays(path_, file));
    EXPECT_FALSE(MergeServedOffDays(path_, kServed2027, december_));
    EXPECT_EQ(Contents(), utf32);
}

TEST_F(MergeOffDaysTest, ARefusedServedFileChangesNothing) {
    ASSERT_TRUE(ReplaceFileAtomically(path_, k2026));
    for (const std::string& served :
         {std::string(kServed2027) + "2027-13-01,休,元旦\r\n", std::string(), WholeYearOff(2098), WholeYearOff(2027)}) {
        EXPECT_FALSE(MergeServedOffDays(path_, served, december_)) << served.substr(0, 60);
    }
    // Before November 2026 is asked for, which the file has: nothing is taken.
    EXPECT_FALSE(MergeServedOffDays(path_, kServed2027, D(2026, 10, 31)));
    EXPECT_EQ(Contents(), k2026);
}

TEST_F(MergeOffDaysTest, AYearRefusedAtOneStartLeavesTheNextStartFreeToTakeTheRightOne) {
    ASSERT_TRUE(ReplaceFileAtomically(path_, k2026));
    EXPECT_FALSE(MergeServedOffDays(path_, WholeYearOff(2098), december_));
    EXPECT_TRUE(MergeServedOffDays(path_, kServed2027, D(2026, 12, 2)));
    OffDayFile file;
    ASSERT_TRUE(LoadOffDays(path_, file));
    EXPECT_EQ(CoveredYearsText(file.schedule), "2026-2027");
}

TEST(ComingYearTest, IsAskedForFromNovemberWhenTheFileLacksItAndAlwaysWhenTheCurrentYearIsMissing) {
    const OffDaySchedule schedule = ParseOffDays(k2026).schedule;
    const struct {
        Date today;
        std::optional<int> asked;
    } cases[] = {
        {D(2026, 10, 31), std::nullopt}, {D(2027, 1, 10), 2027},         {D(2026, 11, 1), 2027},
        {D(2026, 12, 31), 2027},         {D(2025, 11, 1), std::nullopt},  // 2026 is there
        {D(2025, 10, 31), 2025},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScheduleYearToAsk(schedule, c.today), c.asked) << c.today.ToString();
        EXPECT_EQ(WantsComingYear(schedule, c.today), c.asked.has_value()) << c.today.ToString();
    }
}

}  // namespace
