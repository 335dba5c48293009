#include "tools/almanac-gen/database_writer.h"

#include <sqlite3.h>

#include "base/file_path.h"
#include "base/file_system.h"
#include "calendar/gregorian.h"

namespace almanac_gen {

namespace {

// Keyed by the date itself: the reader's only question is "the row of this
// date", which a table clustered on gDate answers with one b-tree descent and
// without a second index.
//
// 宜, 忌 and the month's terms repeat over many days (a few thousand distinct
// lists among seventy thousand days), so each distinct text is stored once in
// HLText and the days refer to it; HL is the view that puts the row back
// together, so every SELECT of HL reads the same columns as from one table.
constexpr char kCreateTexts[] = "CREATE TABLE HLText (id INTEGER PRIMARY KEY, text TEXT NOT NULL)";
constexpr char kCreateDays[] =
    "CREATE TABLE HLDay (gDate TEXT PRIMARY KEY NOT NULL, nDate TEXT, nYear TEXT, nMonth TEXT, nDay TEXT, "
    "Yi INTEGER, Ji INTEGER, Chong TEXT, Sha TEXT, Cheng TEXT, ZhengChong TEXT, TaiShen TEXT, JQ INTEGER, "
    "SolarTerm TEXT) WITHOUT ROWID";
constexpr char kCreateView[] =
    "CREATE VIEW HL AS SELECT d.gDate AS gDate, d.nDate AS nDate, d.nYear AS nYear, d.nMonth AS nMonth, "
    "d.nDay AS nDay, y.text AS Yi, j.text AS Ji, d.Chong AS Chong, d.Sha AS Sha, d.Cheng AS Cheng, "
    "d.ZhengChong AS ZhengChong, d.TaiShen AS TaiShen, q.text AS JQ, d.SolarTerm AS SolarTerm FROM HLDay d "
    "JOIN HLText y ON y.id = d.Yi JOIN HLText j ON j.id = d.Ji JOIN HLText q ON q.id = d.JQ";
constexpr char kInsert[] = "INSERT INTO HLDay VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
constexpr char kInsertText[] = "INSERT INTO HLText VALUES (?,?)";

}  // namespace

AlmanacDatabaseWriter::~AlmanacDatabaseWriter() { Discard(); }

void AlmanacDatabaseWriter::Discard() {
    if (insert_) sqlite3_finalize(insert_);
    insert_ = nullptr;
    if (insertText_) sqlite3_finalize(insertText_);
    insertText_ = nullptr;
    textIds_.clear();
    if (db_) sqlite3_close(db_);
    db_ = nullptr;
    if (!temporaryPath_.empty()) RemoveFile(temporaryPath_);
    temporaryPath_.clear();
}

bool AlmanacDatabaseWriter::Fail(const std::string& what) {
    error_ = what;
    if (db_) error_ += std::string(": ") + sqlite3_errmsg(db_);
    Discard();
    return false;
}

bool AlmanacDatabaseWriter::Execute(const char* sql) {
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool AlmanacDatabaseWriter::Begin(const std::filesystem::path& path) {
    Discard();
    error_.clear();
    path_ = path;
    temporaryPath_ = path;
    temporaryPath_ += ".new";
    RemoveFile(temporaryPath_);
    if (sqlite3_open_v2(Utf8FileName(temporaryPath_).c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        return Fail("cannot create " + Utf8FileName(temporaryPath_));
    }
    // No journal and no syncing while building: the file is not in place
    // until it is complete, and a failed build is simply thrown away.
    if (!Execute("PRAGMA page_size=4096") || !Execute("PRAGMA journal_mode=OFF") ||
        !Execute("PRAGMA synchronous=OFF") || !Execute(kCreateTexts) || !Execute(kCreateDays) ||
        !Execute(kCreateView) || !Execute("BEGIN")) {
        return Fail("cannot set up " + Utf8FileName(temporaryPath_));
    }
    if (sqlite3_prepare_v2(db_, kInsert, -1, &insert_, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db_, kInsertText, -1, &insertText_, nullptr) != SQLITE_OK) {
        return Fail("cannot prepare insert");
    }
    return true;
}

// The number of a shared text, stored on first use: numbered in order of
// first appearance, so the same rows give the same numbers.
bool AlmanacDatabaseWriter::TextId(const std::string& utf8, std::int64_t& id) {
    const auto found = textIds_.find(utf8);
    if (found != textIds_.end()) {
        id = found->second;
        return true;
    }
    id = static_cast<std::int64_t>(textIds_.size()) + 1;
    sqlite3_bind_int64(insertText_, 1, id);
    sqlite3_bind_text(insertText_, 2, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    const int stepped = sqlite3_step(insertText_);
    sqlite3_reset(insertText_);
    if (stepped != SQLITE_DONE) return false;
    textIds_.emplace(utf8, id);
    return true;
}

bool AlmanacDatabaseWriter::Add(const AlmanacRow& row) {
    if (!insert_) return false;
    const std::string* fields[14] = {&row.gDate,      &row.nDate,   &row.nYear, &row.nMonth,   &row.nDay,
                                     &row.Yi,         &row.Ji,      &row.Chong, &row.Sha,      &row.Cheng,
                                     &row.ZhengChong, &row.TaiShen, &row.JQ,    &row.SolarTerm};
    for (int i = 0; i < 14; ++i) {
        const std::string utf8 = converter_.Utf8FromGbk(*fields[i]);
        if (fields[i] == &row.Yi || fields[i] == &row.Ji || fields[i] == &row.JQ) {
            std::int64_t id = 0;
            if (!TextId(utf8, id)) return Fail("cannot insert the texts of " + row.gDate);
            sqlite3_bind_int64(insert_, i + 1, id);
        } else {
            sqlite3_bind_text(insert_, i + 1, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
        }
    }
    const int stepped = sqlite3_step(insert_);
    sqlite3_reset(insert_);
    if (stepped != SQLITE_DONE) return Fail("cannot insert the row of " + row.gDate);
    return true;
}

bool AlmanacDatabaseWriter::Finish() {
    if (!insert_) return false;
    sqlite3_finalize(insert_);
    insert_ = nullptr;
    sqlite3_finalize(insertText_);
    insertText_ = nullptr;
    if (!Execute("COMMIT")) return Fail("cannot commit");
    if (sqlite3_close(db_) != SQLITE_OK) return Fail("cannot close");
    db_ = nullptr;
    if (!RenameFile(temporaryPath_, path_)) return Fail("cannot move the database to " + Utf8FileName(path_));
    temporaryPath_.clear();
    return true;
}

bool WriteAlmanacDatabase(const std::filesystem::path& path, const AlmanacCalendar& calendar, int firstYear,
                          int lastYear, std::string& error) {
    AlmanacDatabaseWriter writer;
    bool ok = writer.Begin(path);
    const std::int64_t last = SerialFromCivil(lastYear, 12, 31);
    for (std::int64_t serial = SerialFromCivil(firstYear, 1, 1); ok && serial <= last; ++serial) {
        const CivilDate d = CivilFromSerial(serial);
        ok = writer.Add(BuildAlmanacRow(calendar, d.year, d.month, d.day));
    }
    ok = ok && writer.Finish();
    error = writer.Error();
    return ok;
}

}  // namespace almanac_gen
