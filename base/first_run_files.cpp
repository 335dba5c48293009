#include "base/first_run_files.h"

#include <string>
#include <system_error>

#include "base/data_paths.h"
#include "base/file_system.h"
#include "base/leftover_files.h"

std::filesystem::path FirstRunFolder(const std::filesystem::path& folder) { return folder / "Ostrel" / "FirstRun"; }

std::vector<std::filesystem::path> PutFirstRunFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> placed;
    for (const std::filesystem::path& own : {SettingsFilePath(folder), FestivalFilePath(folder)}) {
        std::error_code error;
        if (std::filesystem::exists(own, error) || error) continue;  // unsure is as good as there
        if (HasLeftovers(own)) continue;  // a save's leftover, not yet put back, may be the user's only copy
        std::string contents;
        const std::filesystem::path shipped = FirstRunFolder(folder) / own.filename();
        if (ReadFileWithin(shipped, kFestivalFileLimit, contents) != FileRead::kRead) continue;
        if (ReplaceFileAtomically(own, contents)) placed.push_back(own);
    }
    return placed;
}
