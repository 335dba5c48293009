// What a list-file manager's save does when the file is no longer what it
// read. The manager works on its own copy of the file's entries; meanwhile
// another program (a sync client, a second editor, Notepad) may have
// rewritten the file. Writing the list over it unasked would drop that
// program's entries, so the save first looks at the file:
//  - as read: written; gone: written in its place (the list holds all the
//    file had); unreadable now: the write itself refuses;
//  - changed, with the list shown: the user chooses to read the file again
//    (the list's changes dropped), to overwrite it (the other version kept
//    as a dated copy beside it, named in a message), or to go back to the list;
//  - changed, with the manager opened only to add one entry: the entry joins
//    the file as it is now, so nothing is asked and nothing is lost.
#pragma once

#include "base/file_backup.h"

enum class SaveStep {
    kWrite,
    kAskAboutChange,
    kAddToFileAsItIsNow,
};
SaveStep SaveStepFor(FileSinceRead file, bool addMode);
