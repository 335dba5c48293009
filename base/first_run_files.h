// The files a user edits (Solvane.ini, Ostrel\holidays.cfg) are never
// shipped under their own names: unpacking a newer version over the folder,
// or an installer that replaces every file it brings, would put the shipped
// ones over the user's. The packages carry first-run copies in
// Ostrel\FirstRun instead, put in place at start wherever the user's own
// file is missing.
#pragma once

#include <filesystem>
#include <vector>

// Ostrel\FirstRun below the program's folder.
std::filesystem::path FirstRunFolder(const std::filesystem::path& folder);

// Copies every first-run file whose own file is missing into place; an
// existing file, even an empty or damaged one, is the user's and stays, and
// so is a missing one with a save's leftovers beside it.
// Returns the files put in place.
std::vector<std::filesystem::path> PutFirstRunFiles(const std::filesystem::path& folder);
