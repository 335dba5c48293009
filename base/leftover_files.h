// What a save that did not finish leaves beside a data file: the temporary
// copies "<file>.tmp<digits>-<digits>" a replace writes first. A replace that
// fails after the old file has gone leaves the data only there, and two such
// failures leave two; so a leftover is never simply deleted. At start, before
// anything reads the file:
//   - with the file missing, the newest leftover that holds anything becomes
//     the file, the other ones are kept as dated copies (DatedBackupPath);
//   - with the file there and readable, a leftover with the same bytes, or
//     with none at all, is removed, and one that differs is kept as a dated
//     copy: it may hold changes that never reached the file;
//   - with the file there but unreadable (locked, no rights), or a step that
//     fails, everything stays as it is for a later start.
// No first-run copy is laid over a file that still has leftovers.
#pragma once

#include <ctime>
#include <filesystem>
#include <vector>

#include "base/file_system.h"
#include "base/list_file_messages.h"

// The leftovers beside `file`, in no particular order.
std::vector<std::filesystem::path> LeftoversOf(const std::filesystem::path& file, const FileSteps& steps);
bool HasLeftovers(const std::filesystem::path& file);

struct LeftoverOutcome {
    std::filesystem::path file;
    bool restored = false;                          // the file was missing and a leftover is the file now
    std::vector<std::filesystem::path> keptCopies;  // leftovers kept under dated names
    bool worthTelling() const { return restored || !keptCopies.empty(); }
};

LeftoverOutcome SettleLeftovers(const std::filesystem::path& file, const std::tm& now);
LeftoverOutcome SettleLeftovers(const std::filesystem::path& file, const std::tm& now, const FileSteps& steps);

// What the user is told at start when leftovers were restored or kept; the
// path named is the file's.
TextAroundFile LeftoverText(const LeftoverOutcome& outcome);
