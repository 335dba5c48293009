// What the last sync left on the server, kept in a file of its own beside the
// memo file: which calendar, the server's sync token, and for every resource
// the program wrote its href, the ETag the server gave it and the hash of
// what was written. Without it a sync could not tell the phone's edits from
// its own. Written atomically; a file that cannot be read is reported, never
// taken for an empty state (that would send every event again as new).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct SyncedResource {
    std::string href;       // the resource's path on the server, decoded
    std::string etag;       // as the server sent it; empty when it gave none
    std::string hash;       // CalendarContentHash of what the program wrote
    bool conflict = false;  // changed or deleted on the server, not overwritten
    std::string label;      // what the user is shown for it (GBK)
};

struct SyncState {
    // Whose calendar this is: a change of any of the three starts afresh.
    std::string server, user, calendarName;
    std::string calendarUrl;  // found or made by the first sync
    std::string syncToken;
    std::vector<SyncedResource> resources;

    SyncedResource* Find(const std::string& href);
};

// The state file beside the memo file.
std::filesystem::path SyncStatePath(const std::filesystem::path& reminderFile);

std::string WriteSyncState(const SyncState& state);
// The state of the text; nothing when it is not a state file.
std::optional<SyncState> ReadSyncState(const std::string& text);

enum class SyncStateLoad { kRead, kMissing, kDamaged };
SyncStateLoad LoadSyncState(const std::filesystem::path& path, SyncState& state);
bool SaveSyncState(const std::filesystem::path& path, const SyncState& state);
