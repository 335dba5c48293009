// The calendar file of an installation folder's festivals and memos, written
// where the user chose. The export dialog writes it once; with 保持更新 the
// program writes it again after every save of the festivals or the memos and
// at the start of a new year, so a phone or a mail program that subscribes to
// the file (in a synced or web folder) stays current. Each write replaces the
// file whole: a reader never sees half of it, and a failed write leaves the
// last good one.
#pragma once

#include <filesystem>

#include "export/ics_export.h"

// What 保持更新 keeps: whether it is on, the file and the dialog's choices.
// Every write starts at the year it is made in (choices.firstYear is set
// then), as the dialog's "从今年起" says.
struct IcsSubscription {
    bool keepUpdated = false;
    std::filesystem::path file;
    IcsExportChoices choices;
};

// The export of the folder's files (festivals, memos, holiday schedule, almanac).
// A festival or memo file that is there but cannot be read now gives no text
// (outcome kCancelled), so a locked file never empties the calendar file.
IcsExport ExportFolderIcs(const std::filesystem::path& moduleFolder, const IcsExportChoices& choices,
                          const IcsStamp& stamp, const IcsProgress& progress = nullptr);

enum class IcsFileWrite {
    kWritten,
    kNotRead,     // a festival or memo file could not be read now: the file is left as it was
    kTooLarge,    // beyond kIcsMaxEvents or kIcsMaxBytes: left as it was
    kUnwritable,  // the folder is gone, the file is locked or read-only: left as it was
};

// Writes the subscription's file anew from the folder, its years from
// `thisYear` on.
IcsFileWrite WriteSubscribedIcs(const std::filesystem::path& moduleFolder, const IcsSubscription& subscription,
                                int thisYear, const IcsStamp& stamp);
