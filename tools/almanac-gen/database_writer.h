// Writes almanac rows into a new SQLite database file that answers for the
// table HL.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "base/text_encoding.h"
#include "tools/almanac-gen/almanac_row.h"

struct sqlite3;
struct sqlite3_stmt;

namespace almanac_gen {

// Builds the database in a temporary file beside the target and moves it into
// place only when every row is in, so a failed run never leaves a partial
// database where the program looks for one. The same rows in the same order
// give the same bytes.
class AlmanacDatabaseWriter {
public:
    AlmanacDatabaseWriter() = default;
    ~AlmanacDatabaseWriter();
    AlmanacDatabaseWriter(const AlmanacDatabaseWriter&) = delete;
    AlmanacDatabaseWriter& operator=(const AlmanacDatabaseWriter&) = delete;

    // An existing file there is replaced on Finish.
    bool Begin(const std::filesystem::path& path);
    // Rows must come in ascending date order and each date once.
    bool Add(const AlmanacRow& row);
    bool Finish();

    // What went wrong, for the tool's message; empty when nothing did.
    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& what);
    bool Execute(const char* sql);
    void Discard();
    bool TextId(const std::string& utf8, std::int64_t& id);

    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    sqlite3_stmt* insertText_ = nullptr;
    std::map<std::string, std::int64_t> textIds_;  // UTF-8 text -> HLText id
    std::filesystem::path path_;
    std::filesystem::path temporaryPath_;
    std::string error_;
    TextConverter converter_;
};

// Every date from (firstYear, 1, 1) to (lastYear, 12, 31), 宜 and 忌 by
// ChooseYiJi. The calendar must cover those years.
bool WriteAlmanacDatabase(const std::filesystem::path& path, const AlmanacCalendar& calendar, int firstYear,
                          int lastYear, std::string& error);

}  // namespace almanac_gen
