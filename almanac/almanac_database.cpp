#include "almanac/almanac_database.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "base/file_path.h"
#include "base/gbk_scan.h"
#include "base/text_encoding.h"

namespace {

// The texts day information keeps, and the solar terms, over a range of
// keys. Keys compare as text, which orders dates correctly since every key
// is written with a four-digit year. The rows come in the table's order;
// ReadRange keeps the first one read of a date.
enum RangeStatement { kRowRange = 0, kTermRange = 1, kRangeCount = 2 };
constexpr const char* kRangeStatements[kRangeCount] = {
    "SELECT gDate,nYear,nMonth,nDay,Yi,Ji,Chong,Sha,Cheng,ZhengChong,TaiShen,JQ,SolarTerm FROM HL"
    " WHERE gDate>=? AND gDate<=?",
    "SELECT gDate,SolarTerm FROM HL WHERE gDate>=? AND gDate<=?"};

std::string ErrorOf(sqlite3* db) {
    if (!db) return "Source: SQLite, Description: out of memory";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "Error: %d, Description: ", sqlite3_errcode(db));
    return buffer + GbkFromUtf8(sqlite3_errmsg(db));
}

// The date of a key written exactly as Date::ToString writes it, or nothing:
// a key in any other form ("2013-12-3") belongs to no date.
std::optional<Date> DateOfKey(const unsigned char* key, int bytes) {
    if (!key || bytes != 10) return std::nullopt;
    return ParseDate(std::string_view(reinterpret_cast<const char*>(key), 10));
}

}  // namespace

// The open database with its prepared statements.
struct AlmanacConnection {
    sqlite3* db = nullptr;
    sqlite3_stmt* ranges[kRangeCount] = {nullptr, nullptr};
    TextConverter converter;
    // The almanac repeats a small set of values (the names of years, months
    // and days, the 冲煞 and 胎神 cycles, the 宜忌 lists), so each is
    // converted once and then looked up.
    std::unordered_map<std::string, std::string> converted;
    std::string utf8;  // the value being looked up, reused

    ~AlmanacConnection() {
        for (sqlite3_stmt* statement : ranges) sqlite3_finalize(statement);
        sqlite3_close_v2(db);
    }

    // The value of a column of the current row as GBK without surrounding
    // spaces; NULL gives "".
    const std::string& Text(sqlite3_stmt* statement, int column);
};

const std::string& AlmanacConnection::Text(sqlite3_stmt* statement, int column) {
    static const std::string empty;
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    if (!text) return empty;
    utf8.assign(text, static_cast<size_t>(sqlite3_column_bytes(statement, column)));
    const auto found = converted.find(utf8);
    if (found != converted.end()) return found->second;
    constexpr std::size_t kMostValues = 20000;  // far more than the almanac has; a bound for odd files
    if (converted.size() >= kMostValues) converted.clear();
    return converted.emplace(utf8, TrimBlanks(converter.GbkFromUtf8(utf8), kSpaces)).first->second;
}

AlmanacDatabase::AlmanacDatabase() = default;

AlmanacDatabase::~AlmanacDatabase() { Close(); }

bool AlmanacDatabase::CreateEngine() {
    engine_ = sqlite3_initialize() == SQLITE_OK;
    return engine_;
}

bool AlmanacDatabase::IsOpen() const { return connection_ != nullptr; }

void AlmanacDatabase::SetErrorFromConnection(sqlite3* db) { lastError_ = ErrorOf(db); }

namespace {

// Up to 64 MiB mapped (the almanac is about 10): a larger file is read
// through the file beyond that, and a mapping that cannot be made (no room
// in a 32-bit address space) leaves every page to the file. Either way the
// almanac answers, so the outcome is not asked.
void SetReadsOf(sqlite3* db, AlmanacReads reads) {
    sqlite3_exec(db, reads == AlmanacReads::kMapped ? "PRAGMA mmap_size=67108864" : "PRAGMA mmap_size=0", nullptr,
                 nullptr, nullptr);
}

}  // namespace

void AlmanacDatabase::SetReads(AlmanacReads reads) {
    if (connection_) SetReadsOf(connection_->db, reads);
}

bool AlmanacDatabase::Open(const std::filesystem::path& path, AlmanacReads reads) {
    if (!engine_) return false;
    connection_.reset();
    sqlite3* db = nullptr;
    int result = sqlite3_open_v2(Utf8FileName(path).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (result == SQLITE_OK) {
        // Nothing writes the almanac while the program runs, so the shared
        // lock taken by the first read is kept until Close: otherwise every
        // query would lock, check and unlock the file again, which costs more
        // than the lookup itself. Opening reads nothing yet; reading the
        // schema is what tells a database from any other file.
        result = sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr);
        if (result == SQLITE_OK) SetReadsOf(db, reads);
        if (result == SQLITE_OK)
            result = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (result != SQLITE_OK) {
        SetErrorFromConnection(db);
        sqlite3_close_v2(db);
        return false;
    }
    connection_ = std::make_unique<AlmanacConnection>();
    connection_->db = db;
    return true;
}

void AlmanacDatabase::Close() {
    connection_.reset();
    engine_ = false;
}

// Reads the rows of the keys of first ... last through one of the range
// statements, `read(date, statement)` making the row of each. Rows whose key
// is no date, or a date outside the range, are passed over.
template <typename Row, typename Read>
static std::vector<Row> ReadRange(AlmanacConnection& c, int which, const Date& first, const Date& last,
                                  std::string& lastError, Read read) {
    std::vector<Row> rows;
    if (first > last) return rows;
    sqlite3_stmt*& statement = c.ranges[which];
    if (!statement && sqlite3_prepare_v2(c.db, kRangeStatements[which], -1, &statement, nullptr) != SQLITE_OK) {
        statement = nullptr;
        lastError = ErrorOf(c.db);
        return rows;
    }
    sqlite3_reset(statement);
    sqlite3_bind_text(statement, 1, first.ToString().c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 2, last.ToString().c_str(), -1, SQLITE_TRANSIENT);
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        const std::optional<Date> date =
            DateOfKey(sqlite3_column_text(statement, 0), sqlite3_column_bytes(statement, 0));
        if (!date || *date < first || *date > last) continue;
        rows.push_back(read(*date, statement));
    }
    if (step != SQLITE_DONE) lastError = ErrorOf(c.db);
    sqlite3_reset(statement);
    if (rows.size() < 2) return rows;
    // Date order, the first row read of a date kept.
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.date < b.date; });
    rows.erase(std::unique(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.date == b.date; }),
               rows.end());
    return rows;
}

std::vector<AlmanacDayRow> AlmanacDatabase::ReadRows(const Date& first, const Date& last) {
    if (!connection_) return {};
    AlmanacConnection& c = *connection_;
    return ReadRange<AlmanacDayRow>(c, kRowRange, first, last, lastError_, [&c](const Date& date, sqlite3_stmt* s) {
        AlmanacDayRow row;
        row.date = date;
        for (int i = 0; i < kAlmanacKeptColumns; ++i) row.texts[i] = c.Text(s, i + 1);
        return row;
    });
}

std::optional<AlmanacDayRow> AlmanacDatabase::ReadRow(const Date& date) {
    std::vector<AlmanacDayRow> rows = ReadRows(date, date);
    if (rows.empty()) return std::nullopt;
    return std::move(rows.front());
}

namespace {

std::vector<DatedSolarTerm> ReadTerms(AlmanacConnection& c, const Date& first, const Date& last,
                                      std::string& lastError) {
    std::vector<DatedSolarTerm> terms =
        ReadRange<DatedSolarTerm>(c, kTermRange, first, last, lastError, [&c](const Date& date, sqlite3_stmt* s) {
            return DatedSolarTerm{date, c.Text(s, 1)};
        });
    terms.erase(std::remove_if(terms.begin(), terms.end(), [](const DatedSolarTerm& t) { return t.name.empty(); }),
                terms.end());
    return terms;
}

}  // namespace

std::string AlmanacDatabase::SolarTermOn(const Date& date) {
    if (!connection_) return std::string();
    const std::vector<DatedSolarTerm> terms = ReadTerms(*connection_, date, date, lastError_);
    return terms.empty() ? std::string() : terms.front().name;
}

std::vector<DatedSolarTerm> AlmanacDatabase::SolarTermsOfYear(int year) {
    const std::optional<Date> first = Date::FromCivil(year, 1, 1), last = Date::FromCivil(year, 12, 31);
    if (!connection_ || !first || !last) return {};
    return ReadTerms(*connection_, *first, *last, lastError_);
}
