#include "almanac/almanac_database.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "calendar/gregorian.h"

#include "base/file_system.h"
#include "base/text_encoding.h"

namespace {

constexpr char kFullRowPrefix[] =
    "SELECT gDate,nDate,nYear,nMonth,nDay,Yi,Ji,Chong,Sha,Cheng,ZhengChong,TaiShen,JQ,SolarTerm FROM HL WHERE gDate='";
constexpr char kSolarTermPrefix[] = "SELECT SolarTerm FROM HL WHERE gDate='";

enum KeptStatement { kFullRow = 0, kSolarTerm = 1, kKeptCount = 2 };
constexpr const char* kKeptPrefixes[kKeptCount] = {kFullRowPrefix, kSolarTermPrefix};

// The same columns over a range of dates. The rows come in the order the
// single-date statements would find them, so where a hand-made file holds a
// date twice the first one read is the one they would give.
enum RangeStatement { kRowRange = 0, kTermRange = 1, kRangeCount = 2 };
constexpr const char* kRangeStatements[kRangeCount] = {
    "SELECT gDate,nYear,nMonth,nDay,Yi,Ji,Chong,Sha,Cheng,ZhengChong,TaiShen,JQ,SolarTerm FROM HL"
    " WHERE gDate>=? AND gDate<=?",
    "SELECT gDate,SolarTerm FROM HL WHERE gDate>=? AND gDate<=?"};

bool StartsWith(const std::string& text, const char* prefix) { return text.compare(0, std::strlen(prefix), prefix) == 0; }

// The key of "<prefix>'<key>'" when sql is one of the kept statements with a
// plain literal (no quote inside it), or -1.
int MatchKept(const std::string& sql, std::string& key) {
    for (int which = 0; which < kKeptCount; ++which) {
        const std::string prefix = kKeptPrefixes[which];
        if (sql.size() < prefix.size() + 1 || !StartsWith(sql, prefix.c_str()) || sql.back() != '\'') continue;
        key = sql.substr(prefix.size(), sql.size() - prefix.size() - 1);
        if (key.find('\'') == std::string::npos) return which;
    }
    return -1;
}

std::string StripSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

// The open database with its two kept statements. Recordsets share it, so a
// recordset still open when the database is closed or reopened stays valid
// and the connection goes when the last of them is closed.
struct AlmanacConnection {
    sqlite3* db = nullptr;
    sqlite3_stmt* kept[kKeptCount] = {nullptr, nullptr};
    bool inUse[kKeptCount] = {false, false};
    sqlite3_stmt* ranges[kRangeCount] = {nullptr, nullptr};
    TextConverter converter;
    // The almanac repeats a small set of values (the names of years, months
    // and days, the 冲煞 and 胎神 cycles, the 宜忌 lists), so each is
    // converted once and then looked up.
    std::unordered_map<std::string, std::string> converted;
    std::string utf8;  // the value being looked up, reused

    ~AlmanacConnection() {
        for (sqlite3_stmt* statement : kept) sqlite3_finalize(statement);
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
    return converted.emplace(utf8, StripSpaces(converter.GbkFromUtf8(utf8))).first->second;
}

std::string AlmanacDateKey(int year, int month, int day) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    return buffer;
}

std::string FullRowStatement(int year, int month, int day) {
    return kFullRowPrefix + AlmanacDateKey(year, month, day) + "'";
}

std::string SolarTermStatement(int year, int month, int day) {
    return kSolarTermPrefix + AlmanacDateKey(year, month, day) + "'";
}

AlmanacRecordset::AlmanacRecordset(std::shared_ptr<AlmanacConnection> connection, sqlite3_stmt* statement,
                                   bool* inUse)
    : connection_(std::move(connection)), statement_(statement), inUse_(inUse) {}

AlmanacRecordset::~AlmanacRecordset() { Close(); }

bool AlmanacRecordset::MoveFirst() {
    if (!statement_) return false;
    sqlite3_reset(statement_);
    onRow_ = sqlite3_step(statement_) == SQLITE_ROW;
    return onRow_;
}

std::string AlmanacRecordset::Collect(int position) {
    if (!onRow_ || position < 0 || position >= sqlite3_column_count(statement_)) return std::string();
    return connection_->Text(statement_, position);
}

void AlmanacRecordset::Close() {
    if (!statement_) return;
    if (inUse_) {
        sqlite3_reset(statement_);
        *inUse_ = false;
    } else {
        sqlite3_finalize(statement_);
    }
    statement_ = nullptr;
    inUse_ = nullptr;
    onRow_ = false;
    connection_.reset();
}

AlmanacDatabase::AlmanacDatabase() = default;

AlmanacDatabase::~AlmanacDatabase() { Close(); }

bool AlmanacDatabase::CreateEngine() {
    engine_ = sqlite3_initialize() == SQLITE_OK;
    return engine_;
}

bool AlmanacDatabase::IsOpen() const { return connection_ != nullptr; }

void AlmanacDatabase::SetErrorFromConnection(sqlite3* db) {
    lastError_.clear();
    char buffer[64];
    if (db) {
        std::snprintf(buffer, sizeof buffer, "Error: %d, Description: ", sqlite3_errcode(db));
        lastError_ = buffer + GbkFromUtf8(sqlite3_errmsg(db));
    } else {
        lastError_ = "Source: SQLite, Description: out of memory";
    }
}

bool AlmanacDatabase::Open(const std::string& path) {
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
        if (result == SQLITE_OK) result = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (result != SQLITE_OK) {
        SetErrorFromConnection(db);
        sqlite3_close_v2(db);
        return false;
    }
    connection_ = std::make_shared<AlmanacConnection>();
    connection_->db = db;
    return true;
}

std::unique_ptr<AlmanacRecordset> AlmanacDatabase::QueryKept(int which, const std::string& key,
                                                              const std::string& sql) {
    AlmanacConnection& c = *connection_;
    if (!c.kept[which]) {
        const std::string text = std::string(kKeptPrefixes[which]).replace(std::strlen(kKeptPrefixes[which]) - 1, 1, "?");
        if (sqlite3_prepare_v2(c.db, text.c_str(), -1, &c.kept[which], nullptr) != SQLITE_OK) {
            SetErrorFromConnection(c.db);
            c.kept[which] = nullptr;
            return nullptr;
        }
    }
    if (c.inUse[which]) {
        // A recordset of the same statement is still open: give this query a
        // statement of its own rather than disturb that one.
        sqlite3_stmt* own = nullptr;
        if (sqlite3_prepare_v2(c.db, c.converter.Utf8FromGbk(sql).c_str(), -1, &own, nullptr) != SQLITE_OK) {
            SetErrorFromConnection(c.db);
            return nullptr;
        }
        return std::unique_ptr<AlmanacRecordset>(new AlmanacRecordset(connection_, own, nullptr));
    }
    sqlite3_reset(c.kept[which]);
    sqlite3_bind_text(c.kept[which], 1, c.converter.Utf8FromGbk(key).c_str(), -1, SQLITE_TRANSIENT);
    c.inUse[which] = true;
    return std::unique_ptr<AlmanacRecordset>(new AlmanacRecordset(connection_, c.kept[which], &c.inUse[which]));
}

std::unique_ptr<AlmanacRecordset> AlmanacDatabase::Query(const std::string& sql) {
    if (!connection_) return nullptr;
    std::string key;
    const int which = MatchKept(sql, key);
    if (which >= 0) return QueryKept(which, key, sql);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection_->db, connection_->converter.Utf8FromGbk(sql).c_str(), -1, &statement,
                           nullptr) != SQLITE_OK) {
        SetErrorFromConnection(connection_->db);
        return nullptr;
    }
    return std::unique_ptr<AlmanacRecordset>(new AlmanacRecordset(connection_, statement, nullptr));
}

void AlmanacDatabase::Close() {
    connection_.reset();
    engine_ = false;
}

std::string AlmanacDatabase::SolarTermOn(int year, int month, int day) {
    std::unique_ptr<AlmanacRecordset> recordset = Query(SolarTermStatement(year, month, day));
    if (!recordset) return std::string();
    std::string term = recordset->MoveFirst() ? recordset->Collect(0) : std::string();
    recordset->Close();
    return term;
}

namespace {

// The serial day of a key exactly as AlmanacDateKey writes it for a real
// date, or false: the single-date statements match nothing else.
bool SerialOfKey(const unsigned char* key, int bytes, std::int64_t& serial) {
    if (!key || bytes != 10 || key[4] != '-' || key[7] != '-') return false;
    int number[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
    for (int part = 0; part < 3; ++part) {
        for (int i = starts[part]; i < starts[part] + lengths[part]; ++i) {
            if (key[i] < '0' || key[i] > '9') return false;
            number[part] = number[part] * 10 + (key[i] - '0');
        }
    }
    const int year = number[0], month = number[1], day = number[2];
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
    serial = SerialFromCivil(year, month, day);
    return true;
}

// Keys are compared as text, which orders dates correctly only for
// four-digit years.
std::pair<std::string, std::string> RangeKeys(std::int64_t first, std::int64_t last) {
    const CivilDate from = CivilFromSerial(std::max(first, SerialFromCivil(1, 1, 1)));
    const CivilDate to = CivilFromSerial(std::min(last, SerialFromCivil(9999, 12, 31)));
    return {AlmanacDateKey(from.year, from.month, from.day), AlmanacDateKey(to.year, to.month, to.day)};
}

}  // namespace

template <typename Row, typename Read>
static std::vector<Row> ReadRange(AlmanacConnection& c, int which, std::int64_t first, std::int64_t last,
                                  std::string& lastError, Read read) {
    std::vector<Row> rows;
    if (first > last) return rows;
    sqlite3_stmt*& statement = c.ranges[which];
    if (!statement && sqlite3_prepare_v2(c.db, kRangeStatements[which], -1, &statement, nullptr) != SQLITE_OK) {
        statement = nullptr;
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "Error: %d, Description: ", sqlite3_errcode(c.db));
        lastError = buffer + GbkFromUtf8(sqlite3_errmsg(c.db));
        return rows;
    }
    const auto [from, to] = RangeKeys(first, last);
    sqlite3_reset(statement);
    sqlite3_bind_text(statement, 1, from.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 2, to.c_str(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        std::int64_t serial = 0;
        if (!SerialOfKey(sqlite3_column_text(statement, 0), sqlite3_column_bytes(statement, 0), serial)) continue;
        if (serial < first || serial > last) continue;
        rows.push_back(read(serial, statement));
    }
    sqlite3_reset(statement);
    // Date order, the first row read of a date kept.
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.serial < b.serial; });
    rows.erase(std::unique(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.serial == b.serial; }),
               rows.end());
    return rows;
}

std::vector<AlmanacDayRow> AlmanacDatabase::ReadRows(std::int64_t first, std::int64_t last) {
    if (!connection_) return {};
    AlmanacConnection& c = *connection_;
    return ReadRange<AlmanacDayRow>(c, kRowRange, first, last, lastError_, [&c](std::int64_t serial, sqlite3_stmt* s) {
        AlmanacDayRow row;
        row.serial = serial;
        for (int i = 0; i < kAlmanacKeptColumns; ++i) row.texts[i] = c.Text(s, i + 1);
        return row;
    });
}

std::vector<DatedSolarTerm> AlmanacDatabase::SolarTermsOfYear(int year) {
    if (!connection_) return {};
    AlmanacConnection& c = *connection_;
    std::vector<DatedSolarTerm> terms = ReadRange<DatedSolarTerm>(
        c, kTermRange, SerialFromCivil(year, 1, 1), SerialFromCivil(year, 12, 31), lastError_,
        [&c](std::int64_t serial, sqlite3_stmt* s) { return DatedSolarTerm{serial, c.Text(s, 1)}; });
    terms.erase(std::remove_if(terms.begin(), terms.end(), [](const DatedSolarTerm& t) { return t.name.empty(); }),
                terms.end());
    return terms;
}
