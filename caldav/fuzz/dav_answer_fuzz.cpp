// libFuzzer target: what a CalDAV server answers, and the sync state file.
//
// The first byte chooses the reader. As a multistatus, any bytes are read
// within the reader's limits (never more responses than it takes) or refused
// with a reason; as a state file, what is read is written back and read
// again to the same state, so that a state saved is a state kept.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "caldav/dav_answer.h"
#include "caldav/sync_state.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool Same(const SyncState& a, const SyncState& b) {
    if (a.server != b.server || a.user != b.user || a.calendarName != b.calendarName ||
        a.calendarUrl != b.calendarUrl || a.syncToken != b.syncToken || a.resources.size() != b.resources.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.resources.size(); ++i) {
        const SyncedResource &x = a.resources[i], &y = b.resources[i];
        if (x.href != y.href || x.etag != y.etag || x.hash != y.hash || x.conflict != y.conflict ||
            x.label != y.label) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 1) {
        const std::optional<SyncState> state = ReadSyncState(input);
        if (state) {
            const std::optional<SyncState> again = ReadSyncState(WriteSyncState(*state));
            Require(again && Same(*state, *again));
        }
        return 0;
    }
    std::string error;
    const std::optional<DavMultistatus> read = ReadDavMultistatus(input, &error);
    Require(read ? read->responses.size() <= kDavMaxResponses : !error.empty());
    if (read) {
        for (const DavResponse& response : read->responses) {
            Require(response.status >= 0 && response.status <= 999);
        }
    }
    return 0;
}
