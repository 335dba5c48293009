#include "almanac/almanac_database.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "almanac/generator/database_writer.h"
#include "base/file_system.h"
#include "base/text_encoding.h"
#include "calendar/gregorian.h"

namespace {

using almanac_gen::AlmanacCalendar;
using almanac_gen::AlmanacDatabaseWriter;
using almanac_gen::AlmanacRow;
using almanac_gen::BuildAlmanacRow;

// Each test builds its own small databases in a folder of its own (with a
// Chinese name, as a user's folder may have).
class AlmanacDatabaseTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { calendar_ = new AlmanacCalendar(2013, 2013); }
    static void TearDownTestSuite() { delete calendar_; }

    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("solvane-almanac-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        ASSERT_TRUE(std::filesystem::create_directory(NativePath(PathOf(""))));
        ASSERT_TRUE(db_.CreateEngine());
    }
    void TearDown() override {
        db_.Close();
        std::filesystem::remove_all(folder_);
    }

    // A GBK path as std::filesystem takes it: Linux file names are the bytes
    // themselves, Windows ones are Unicode.
    static std::filesystem::path NativePath(const std::string& gbk) {
#ifdef _WIN32
        return std::filesystem::u8path(Utf8FromGbk(gbk));
#else
        return std::filesystem::path(gbk);
#endif
    }

    // GBK path of a file in the Chinese-named folder.
    std::string PathOf(const std::string& name) const { return GbkFromUtf8((folder_ / "").u8string()) + "黄历/" + name; }

    // A database holding the computed rows of 2013-02-03 ... 2013-02-05 and any extra rows.
    std::string MakeDatabase(const std::string& name, const std::vector<AlmanacRow>& extra = {}) {
        AlmanacDatabaseWriter writer;
        const std::string path = PathOf(name);
        EXPECT_TRUE(writer.Begin(path)) << writer.Error();
        for (int day = 3; day <= 5; ++day) EXPECT_TRUE(writer.Add(BuildAlmanacRow(*calendar_, 2013, 2, day)));
        for (const AlmanacRow& row : extra) EXPECT_TRUE(writer.Add(row)) << writer.Error();
        EXPECT_TRUE(writer.Finish()) << writer.Error();
        return path;
    }

    static std::vector<std::string> FullRow(AlmanacDatabase& db, int y, int m, int d) {
        std::vector<std::string> texts;
        auto recordset = db.Query(FullRowStatement(y, m, d));
        if (!recordset) return texts;
        if (recordset->MoveFirst()) {
            for (int i = 0; i < kAlmanacRowColumns; ++i) texts.push_back(recordset->Collect(i));
        }
        recordset->Close();
        return texts;
    }

    static AlmanacCalendar* calendar_;
    std::filesystem::path folder_;
    AlmanacDatabase db_;
};
AlmanacCalendar* AlmanacDatabaseTest::calendar_ = nullptr;

TEST_F(AlmanacDatabaseTest, TheStatementsAreTheProgramsOwnText) {
    EXPECT_EQ(FullRowStatement(2013, 2, 4),
              "SELECT gDate,nDate,nYear,nMonth,nDay,Yi,Ji,Chong,Sha,Cheng,ZhengChong,TaiShen,JQ,SolarTerm FROM HL "
              "WHERE gDate='2013-02-04'");
    EXPECT_EQ(SolarTermStatement(1901, 1, 1), "SELECT SolarTerm FROM HL WHERE gDate='1901-01-01'");
}

TEST_F(AlmanacDatabaseTest, AFullRowReadsBackAsGenerated) {
    ASSERT_TRUE(db_.Open(MakeDatabase("china.mdb")));
    const AlmanacRow row = BuildAlmanacRow(*calendar_, 2013, 2, 4);
    const std::vector<std::string> expected = {row.gDate, row.nDate, row.nYear,      row.nMonth,  row.nDay,
                                               row.Yi,    row.Ji,    row.Chong,      row.Sha,     row.Cheng,
                                               row.ZhengChong,       row.TaiShen,    row.JQ,      row.SolarTerm};
    EXPECT_EQ(FullRow(db_, 2013, 2, 4), expected);
    EXPECT_EQ(expected[13], "立春");
    // Reading the same statement again for other dates rebinds it.
    EXPECT_EQ(FullRow(db_, 2013, 2, 5)[0], "2013-02-05");
    EXPECT_EQ(FullRow(db_, 2013, 2, 3)[0], "2013-02-03");
    EXPECT_TRUE(db_.lastError().empty());
}

TEST_F(AlmanacDatabaseTest, TheSolarTermOfADate) {
    ASSERT_TRUE(db_.Open(MakeDatabase("china.mdb")));
    SolarTermLookup& lookup = db_;
    EXPECT_EQ(lookup.SolarTermOn(2013, 2, 4), "立春");
    EXPECT_EQ(lookup.SolarTermOn(2013, 2, 5), "");
    EXPECT_EQ(lookup.SolarTermOn(2013, 2, 4), "立春");
}

TEST_F(AlmanacDatabaseTest, SpacesAroundValuesAreStripped) {
    AlmanacRow padded;
    padded.gDate = "2013-12-22";
    padded.nYear = "  癸巳年 ";
    padded.Yi = "   ";
    padded.SolarTerm = " 冬至  ";
    ASSERT_TRUE(db_.Open(MakeDatabase("china.mdb", {padded})));
    const std::vector<std::string> texts = FullRow(db_, 2013, 12, 22);
    ASSERT_EQ(texts.size(), 14u);
    EXPECT_EQ(texts[2], "癸巳年");
    EXPECT_EQ(texts[5], "");
    EXPECT_EQ(texts[13], "冬至");
    EXPECT_EQ(db_.SolarTermOn(2013, 12, 22), "冬至");
}

TEST_F(AlmanacDatabaseTest, ADateWithoutARowHasNoFirstRow) {
    ASSERT_TRUE(db_.Open(MakeDatabase("china.mdb")));
    auto recordset = db_.Query(FullRowStatement(2099, 12, 31));
    ASSERT_NE(recordset, nullptr);
    EXPECT_FALSE(recordset->MoveFirst());
    EXPECT_EQ(recordset->Collect(0), "");
    recordset->Close();
    EXPECT_TRUE(FullRow(db_, 2099, 12, 31).empty());
    EXPECT_EQ(db_.SolarTermOn(2099, 12, 31), "");
    // The connection is still good for the next date.
    EXPECT_EQ(db_.SolarTermOn(2013, 2, 4), "立春");
}

TEST_F(AlmanacDatabaseTest, AMissingFileFailsQuietlyAndIsNotCreated) {
    const std::string path = PathOf("none.mdb");
    EXPECT_FALSE(db_.Open(path));
    EXPECT_FALSE(db_.IsOpen());
    EXPECT_EQ(db_.lastError().rfind("Error: 14, Description: ", 0), 0u) << db_.lastError();
    EXPECT_EQ(db_.Query(FullRowStatement(2013, 2, 4)), nullptr);
    EXPECT_EQ(db_.SolarTermOn(2013, 2, 4), "");
    EXPECT_FALSE(FileExists(path));
}

TEST_F(AlmanacDatabaseTest, AFileThatIsNotADatabaseFailsToOpen) {
    const std::string path = PathOf("china.mdb");
    ASSERT_TRUE(ReplaceFileAtomically(path, std::string(4096, 'x')));
    EXPECT_FALSE(db_.Open(path));
    EXPECT_EQ(db_.lastError(), "Error: 26, Description: file is not a database");
    EXPECT_EQ(db_.Query(SolarTermStatement(2013, 2, 4)), nullptr);
}

TEST_F(AlmanacDatabaseTest, ADatabaseWithoutTheTableOpensButAnswersNothing) {
    const std::string path = PathOf("other.mdb");
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(Utf8FileName(path).c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, "CREATE TABLE other (x TEXT)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);

    ASSERT_TRUE(db_.Open(path));
    EXPECT_EQ(db_.Query(FullRowStatement(2013, 2, 4)), nullptr);
    EXPECT_EQ(db_.lastError(), "Error: 1, Description: no such table: HL");
    EXPECT_EQ(db_.SolarTermOn(2013, 2, 4), "");
}

TEST_F(AlmanacDatabaseTest, OpeningAgainClosesTheFirstDatabase) {
    AlmanacRow marker;
    marker.gDate = "2013-06-01";
    marker.SolarTerm = "second";
    const std::string first = MakeDatabase("first.mdb");
    const std::string second = MakeDatabase("second.mdb", {marker});
    ASSERT_TRUE(db_.Open(first));
    EXPECT_EQ(db_.SolarTermOn(2013, 6, 1), "");
    ASSERT_TRUE(db_.Open(second));
    EXPECT_EQ(db_.SolarTermOn(2013, 6, 1), "second");
    // Windows refuses to delete a file that is still open.
    EXPECT_TRUE(RemoveFile(first));
    // A failed open leaves no database open either.
    EXPECT_FALSE(db_.Open(PathOf("none.mdb")));
    EXPECT_EQ(db_.SolarTermOn(2013, 6, 1), "");
    EXPECT_TRUE(RemoveFile(second));
}

TEST_F(AlmanacDatabaseTest, NothingOpensBeforeTheEngineOrAfterClose) {
    AlmanacDatabase fresh;
    const std::string path = MakeDatabase("china.mdb");
    EXPECT_FALSE(fresh.Open(path));
    EXPECT_TRUE(fresh.lastError().empty());
    ASSERT_TRUE(db_.Open(path));
    db_.Close();
    EXPECT_EQ(db_.Query(SolarTermStatement(2013, 2, 4)), nullptr);
    EXPECT_FALSE(db_.Open(path));
}

TEST_F(AlmanacDatabaseTest, RecordsetsOpenAtTheSameTimeEachKeepTheirRow) {
    ASSERT_TRUE(db_.Open(MakeDatabase("china.mdb")));
    auto a = db_.Query(SolarTermStatement(2013, 2, 4));
    auto b = db_.Query(SolarTermStatement(2013, 2, 3));
    ASSERT_TRUE(a && b);
    ASSERT_TRUE(a->MoveFirst());
    ASSERT_TRUE(b->MoveFirst());
    EXPECT_EQ(a->Collect(0), "立春");
    EXPECT_EQ(b->Collect(0), "");
    EXPECT_EQ(a->Collect(1), "");  // outside the SELECT list
    // A recordset outlives the database it came from.
    db_.Close();
    EXPECT_EQ(a->Collect(0), "立春");
    a->Close();
    b->Close();
}

TEST_F(AlmanacDatabaseTest, OtherStatementsRunAsWritten) {
    ASSERT_TRUE(db_.Open(MakeDatabase("china.mdb")));
    auto recordset = db_.Query("SELECT gDate FROM HL WHERE SolarTerm='立春'");
    ASSERT_NE(recordset, nullptr);
    ASSERT_TRUE(recordset->MoveFirst());
    EXPECT_EQ(recordset->Collect(0), "2013-02-04");
    EXPECT_EQ(db_.Query("SELECT absent FROM HL"), nullptr);
    EXPECT_EQ(db_.lastError(), "Error: 1, Description: no such column: absent");
}

TEST_F(AlmanacDatabaseTest, GenerationIsDeterministic) {
    const AlmanacCalendar calendar(2013, 2013);
    std::string error, first, second;
    ASSERT_TRUE(almanac_gen::WriteAlmanacDatabase(PathOf("a.mdb"), calendar, 2013, 2013, error)) << error;
    ASSERT_TRUE(almanac_gen::WriteAlmanacDatabase(PathOf("b.mdb"), calendar, 2013, 2013, error)) << error;
    ASSERT_TRUE(ReadWholeFile(PathOf("a.mdb"), first));
    ASSERT_TRUE(ReadWholeFile(PathOf("b.mdb"), second));
    EXPECT_EQ(first, second);
    ASSERT_TRUE(db_.Open(PathOf("a.mdb")));
    EXPECT_EQ(FullRow(db_, 2013, 12, 31)[0], "2013-12-31");
    EXPECT_TRUE(FullRow(db_, 2014, 1, 1).empty());
}

TEST_F(AlmanacDatabaseTest, AFailedGenerationLeavesNoFileBehind) {
    AlmanacDatabaseWriter writer;
    const std::string path = PathOf("china.mdb");
    ASSERT_TRUE(writer.Begin(path));
    ASSERT_TRUE(writer.Add(BuildAlmanacRow(*calendar_, 2013, 2, 4)));
    EXPECT_FALSE(writer.Add(BuildAlmanacRow(*calendar_, 2013, 2, 4)));  // the same date twice
    EXPECT_FALSE(writer.Error().empty());
    EXPECT_FALSE(writer.Finish());
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(FileExists(path + ".new"));
    EXPECT_FALSE(writer.Begin(PathOf("missing/china.mdb")));
}

TEST_F(AlmanacDatabaseTest, TheShippedDatabaseHoldsEveryDayInUnderThirtyMegabytes) {
    // 宜 and 忌 are printed in full; the lists and the month's terms are kept
    // once each, so the whole span still fits where it always did.
    const std::string shipped = SOLVANE_BINARY_DIR "/dist/Ostrel/Database/china.mdb";
    if (!FileExists(shipped)) GTEST_SKIP() << "no database built at " << shipped;
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(shipped, bytes));
    EXPECT_LE(bytes.size(), 30u * 1024 * 1024);
    ASSERT_TRUE(db_.Open(shipped));
    const std::vector<std::string> first = FullRow(db_, 1901, 1, 1), last = FullRow(db_, 2099, 12, 31);
    ASSERT_EQ(first.size(), 14u);
    ASSERT_EQ(last.size(), 14u);
    EXPECT_EQ(last[0], "2099-12-31");
    const AlmanacCalendar calendar(2099, 2099);
    const AlmanacRow row = BuildAlmanacRow(calendar, 2099, 12, 31);
    EXPECT_EQ(last[5], row.Yi);
    EXPECT_EQ(last[6], row.Ji);
    EXPECT_EQ(last[12], row.JQ);
}

}  // namespace

// The range reads serve day information instead of one query per date, so
// they must give, date for date, what the two statements give.
TEST_F(AlmanacDatabaseTest, RangeReadsGiveWhatTheStatementsGiveForEachDate) {
    AlmanacRow padded = BuildAlmanacRow(*calendar_, 2013, 12, 22);
    padded.nYear = "  癸巳年 ";
    padded.Yi = "   ";
    padded.SolarTerm = " 冬至  ";
    AlmanacRow unpadded = BuildAlmanacRow(*calendar_, 2013, 12, 23);
    unpadded.gDate = "2013-12-3";  // not a key the statements ever ask for
    AlmanacRow blankTerm = BuildAlmanacRow(*calendar_, 2013, 12, 30);
    blankTerm.SolarTerm = "  ";
    ASSERT_TRUE(db_.Open(MakeDatabase("china.mdb", {padded, unpadded, blankTerm})));
    const std::int64_t first = SerialFromCivil(2013, 1, 1), last = SerialFromCivil(2014, 12, 31);
    const std::vector<AlmanacDayRow> rows = db_.ReadRows(first, last);
    std::size_t next = 0;
    for (std::int64_t serial = first; serial <= last; ++serial) {
        const CivilDate date = CivilFromSerial(serial);
        const std::vector<std::string> expected = FullRow(db_, date.year, date.month, date.day);
        if (expected.empty()) {
            EXPECT_TRUE(next == rows.size() || rows[next].serial != serial) << serial;
            continue;
        }
        ASSERT_LT(next, rows.size());
        ASSERT_EQ(rows[next].serial, serial);
        for (int i = 0; i < kAlmanacKeptColumns; ++i) EXPECT_EQ(rows[next].texts[i], expected[i + 2]) << i;
        ++next;
    }
    EXPECT_EQ(next, rows.size());
    EXPECT_EQ(rows.size(), 5u);  // 3-5 February, 22 and 30 December
    // Terms: only the dates whose SolarTermOn is not empty.
    const std::vector<DatedSolarTerm> terms = db_.SolarTermsOfYear(2013);
    ASSERT_EQ(terms.size(), 2u);
    EXPECT_EQ(terms[0].serial, SerialFromCivil(2013, 2, 4));
    EXPECT_EQ(terms[0].name, "立春");
    EXPECT_EQ(terms[1].serial, SerialFromCivil(2013, 12, 22));
    EXPECT_EQ(terms[1].name, "冬至");
    EXPECT_TRUE(db_.SolarTermsOfYear(2014).empty());
    EXPECT_TRUE(db_.ReadRows(last, first).empty());
    db_.Close();
    EXPECT_TRUE(db_.ReadRows(first, last).empty());
}
