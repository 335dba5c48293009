#include "almanac/almanac_database.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstring>

#include "base/file_system.h"
#include "base/text_encoding.h"

namespace {

constexpr char kFullRowPrefix[] =
    "SELECT gDate,nDate,nYear,nMonth,nDay,Yi,Ji,Chong,Sha,Cheng,ZhengChong,TaiShen,JQ,SolarTerm FROM HL WHERE gDate='";
constexpr char kSolarTermPrefix[] = "SELECT SolarTerm FROM HL WHERE gDate='";

enum KeptStatement { kFullRow = 0, kSolarTerm = 1, kKeptCount = 2 };
constexpr const char* kKeptPrefixes[kKeptCount] = {kFullRowPrefix, kSolarTermPrefix};

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
    TextConverter converter;

    ~AlmanacConnection() {
        for (sqlite3_stmt* statement : kept) sqlite3_finalize(statement);
        sqlite3_close_v2(db);
    }
};

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
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, position));
    if (!text) return std::string();
    const std::string utf8(text, static_cast<size_t>(sqlite3_column_bytes(statement_, position)));
    return StripSpaces(connection_->converter.GbkFromUtf8(utf8));
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
