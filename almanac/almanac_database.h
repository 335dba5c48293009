// The almanac database: one row of texts per Gregorian date in table HL of
// Ostrel/Database/china.mdb (an SQLite file), keyed by the date's text
// "YYYY-MM-DD" in column gDate. The connection is opened once and kept. Dates
// are read through two prepared statements over a range of keys, compiled
// once, whose bounds are bound as parameters: one for the texts day
// information shows, one for the solar terms. A single date is the range of
// one day.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "almanac/solar_term_lookup.h"
#include "calendar/date.h"

struct AlmanacConnection;
struct sqlite3;

// The texts of one date's row that day information keeps, in the order of
// their columns. Each is GBK without leading or trailing ASCII spaces; NULL
// reads as "".
enum AlmanacText {
    kAlmanacYearGanZhi,
    kAlmanacMonthGanZhi,
    kAlmanacDayGanZhi,
    kAlmanacAuspicious,
    kAlmanacInauspicious,
    kAlmanacClash,
    kAlmanacShaDirection,
    kAlmanacJianChu,
    kAlmanacClashGanZhi,
    kAlmanacTaiShen,
    kAlmanacMonthSolarTerms,  // the month's solar terms with their instants
    kAlmanacSolarTerm,
    kAlmanacKeptColumns
};
struct AlmanacDayRow {
    Date date;
    std::string texts[kAlmanacKeptColumns];
};

// How the open almanac reads its file. Mapped, its pages are read as memory
// instead of one file read each: the first questions of a start (the month
// shown, the holiday law's 清明 of some seventy years) took ten times as long
// through the file under Wine. But the system maps more around each page
// touched, which the process then holds (5 MB for a start), and a mapped
// file whose disk goes away (a USB stick pulled, a network share lost) ends
// the process at the next page touched instead of failing the query: a
// start maps a file on a fixed disk, and reads through it once the month is
// up.
enum class AlmanacReads { kThroughFile, kMapped };

class AlmanacDatabase : public SolarTermLookup {
public:
    AlmanacDatabase();
    ~AlmanacDatabase() override;
    AlmanacDatabase(const AlmanacDatabase&) = delete;
    AlmanacDatabase& operator=(const AlmanacDatabase&) = delete;

    // Prepares the database library. Open fails until this has succeeded.
    bool CreateEngine();

    // Closes any open database first, then opens the file read-only.
    // A missing file or one that is not a readable database gives false, with
    // only lastError changed; nothing is created.
    bool Open(const std::filesystem::path& path, AlmanacReads reads = AlmanacReads::kThroughFile);

    bool IsOpen() const;
    // From the next question on; a mapping let go gives its memory back.
    void SetReads(AlmanacReads reads);

    // Closes the database and releases the engine.
    void Close();

    // "Error: %d, Description: %s" from the database library's code and
    // message, or "Source: %s, Description: %s" when the failure came with no
    // connection to ask; empty before any error.
    const std::string& lastError() const { return lastError_; }

    // The solar term of a date; "" when there is none or the almanac cannot
    // say (no database, no row for the date, a failed read: lastError says).
    std::string SolarTermOn(const Date& date) override;

    // The rows of the dates first ... last in date order, read in one pass;
    // dates without a row are left out. Where a hand-made file holds a date
    // twice, the first row read of it is the one kept.
    std::vector<AlmanacDayRow> ReadRows(const Date& first, const Date& last);
    // The row of one date; nothing when the database has none for it.
    std::optional<AlmanacDayRow> ReadRow(const Date& date);

    // The year's solar terms in one pass, the names as SolarTermOn gives them.
    std::vector<DatedSolarTerm> SolarTermsOfYear(int year) override;

private:
    void SetErrorFromConnection(sqlite3* db);

    bool engine_ = false;
    std::unique_ptr<AlmanacConnection> connection_;
    std::string lastError_;
};
