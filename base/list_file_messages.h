// What a list-file manager tells the user. Such a manager (the festivals, the
// memos) reads its file whole into a list when it opens and writes the list
// whole over the file when the user saves; its messages differ only in the
// words for the file and its entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/file_backup.h"

struct ListFileWords {
    // What the entries are: 节日, 备忘. The file is the noun's 文件 and the
    // dialog its 管理.
    const char* noun;
    // What a load can fail to read in the file: its 行 or its 记录.
    const char* entry;
    // A larger file is taken as damaged and not read.
    std::size_t sizeLimit;
};

// Edit and Delete with no row selected.
inline constexpr char kNothingSelectedText[] = "请先在下面的列表中选择一个项。";
// The caption of the question asked before closing over unsaved changes.
inline constexpr char kSavePromptCaption[] = "请确认";

// Opened on one entry that the file no longer holds as it was.
std::string EntryGoneText(const ListFileWords& words);
// Opened to delete one entry: whether to, naming it.
std::string DeleteEntryQuestion(const ListFileWords& words, const std::string& entryText);

// Closing with changes: whether to save them.
std::string SavePromptText(const ListFileWords& words);
// Why log-off waits while the dialog holds changes.
std::string UnsavedChangesReason(const ListFileWords& words);

// A message that names a file: the texts before and after its path, which
// the caller puts between them in the form it keeps paths in.
struct TextAroundFile {
    std::string before;
    std::string after;
};
// A save refused because the file was there but could not be read when the
// list was filled: the list lacks the file's entries, and saving it would
// drop them.
TextAroundFile CannotReadText(const ListFileWords& words);
// A save that could not write the file; the changes are still in the list.
TextAroundFile CannotSaveText(const ListFileWords& words);
// Saving after the file could not be read at open: whether to read it now
// and add the list's rows (all new) to its entries.
TextAroundFile ReadAgainText(const ListFileWords& words);
// A save that found the file changed by another program since the list was
// filled: 是 reads it again, 否 overwrites it (keeping the other version as
// a copy), 取消 goes back to the list.
TextAroundFile ChangedSinceReadText(const ListFileWords& words);
// A list file beyond its limit, of which the program shows the entries
// within the limit: "备忘文件太大（300.5 MB，超过了本程序能读的 256 MB）...".
// `size` is the file's size in bytes, shown in MB rounded up to a tenth.
TextAroundFile TooLargeText(const char* noun, std::uint64_t size, std::size_t limit);
// A save that first kept a copy of the file (the path named is the copy's),
// saying why from what loading made of it: another encoding, characters
// without a GBK form, entries left out (and how many were kept), or else a
// change by another program since it was read.
TextAroundFile BackupKeptText(const ListFileWords& words, const FileBaseline& loaded);
