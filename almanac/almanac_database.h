// The almanac database: one row of texts per Gregorian date in table HL of
// Ostrel/Database/china.mdb (an SQLite file), read through the two SELECT
// statements the program uses. The connection is opened once and kept; each
// statement is compiled once and only its date changes between queries.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "almanac/solar_term_lookup.h"

struct AlmanacConnection;
struct sqlite3;
struct sqlite3_stmt;

// The number of columns of the full-row statement.
constexpr int kAlmanacRowColumns = 14;

// "%04d-%02d-%02d", the key of every query.
std::string AlmanacDateKey(int year, int month, int day);

// SELECT gDate,nDate,nYear,nMonth,nDay,Yi,Ji,Chong,Sha,Cheng,ZhengChong,TaiShen,JQ,SolarTerm
// FROM HL WHERE gDate='...': the row of one date for day information.
std::string FullRowStatement(int year, int month, int day);

// SELECT SolarTerm FROM HL WHERE gDate='...': the solar term of one date for
// festival matching.
std::string SolarTermStatement(int year, int month, int day);

// The result of one query. Read it in this order: MoveFirst, then Collect for
// each wanted column, then Close (the destructor closes too). Only the first
// row is ever read.
class AlmanacRecordset {
public:
    ~AlmanacRecordset();
    AlmanacRecordset(const AlmanacRecordset&) = delete;
    AlmanacRecordset& operator=(const AlmanacRecordset&) = delete;

    // Moves to the first row; false when there is none (no row for the date)
    // or it cannot be read. Readers treat false as "no almanac for this date".
    bool MoveFirst();

    // The value at a column position (0 for the first column of the SELECT
    // list) as GBK text without leading or trailing ASCII spaces. Never fails:
    // a NULL, a position outside the list or a read before MoveFirst gives "".
    std::string Collect(int position);

    void Close();

private:
    friend class AlmanacDatabase;
    AlmanacRecordset(std::shared_ptr<AlmanacConnection> connection, sqlite3_stmt* statement, bool* inUse);

    std::shared_ptr<AlmanacConnection> connection_;
    sqlite3_stmt* statement_;
    bool* inUse_;  // the connection's flag for a kept statement; null for one of its own
    bool onRow_ = false;
};

// The texts of one date's row that day information keeps: the full-row
// statement's columns from nYear to SolarTerm, read the same way.
constexpr int kAlmanacKeptColumns = kAlmanacRowColumns - 2;
struct AlmanacDayRow {
    std::int64_t serial = 0;  // the date (see calendar/gregorian.h)
    std::string texts[kAlmanacKeptColumns];
};

class AlmanacDatabase : public SolarTermLookup {
public:
    AlmanacDatabase();
    ~AlmanacDatabase() override;
    AlmanacDatabase(const AlmanacDatabase&) = delete;
    AlmanacDatabase& operator=(const AlmanacDatabase&) = delete;

    // Prepares the database library. Open fails until this has succeeded.
    bool CreateEngine();

    // Closes any open database first, then opens the file (GBK path) read-only.
    // A missing file or one that is not a readable database gives false, with
    // only lastError changed; nothing is created.
    bool Open(const std::string& path);

    bool IsOpen() const;

    // Runs a statement; null when no database is open or the statement fails
    // (lastError then says why). A date without a row is not a failure: its
    // recordset simply has no first row.
    std::unique_ptr<AlmanacRecordset> Query(const std::string& sql);

    // Closes the database and releases the engine.
    void Close();

    // "Error: %d, Description: %s" from the database library's code and
    // message, or "Source: %s, Description: %s" when the failure came with no
    // connection to ask; empty before any error.
    const std::string& lastError() const { return lastError_; }

    // The solar term of a date through the second statement; "" when there is
    // none or the almanac cannot say.
    std::string SolarTermOn(int year, int month, int day) override;

    // The rows of the dates first ... last (serial days) in date order, read
    // in one pass; dates without a row are left out. Each row holds what the
    // full-row statement gives for its date.
    std::vector<AlmanacDayRow> ReadRows(std::int64_t first, std::int64_t last);

    // The year's solar terms in one pass, the names as SolarTermOn gives them.
    std::vector<DatedSolarTerm> SolarTermsOfYear(int year) override;

private:
    void SetErrorFromConnection(sqlite3* db);
    std::unique_ptr<AlmanacRecordset> QueryKept(int which, const std::string& key, const std::string& sql);

    bool engine_ = false;
    std::shared_ptr<AlmanacConnection> connection_;
    std::string lastError_;
};
