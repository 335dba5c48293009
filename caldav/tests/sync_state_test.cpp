#include "caldav/sync_state.h"

#include <gtest/gtest.h>

#include <string>

#include "base/file_system.h"
#include "tests/support/scratch_folder.h"

namespace {

SyncState Sample() {
    SyncState state;
    state.server = "https://dav.example.com/";
    state.user = "alice";
    state.calendarName = "Tavro\xE6\x97\xA5\xE5\x8E\x86";
    state.calendarUrl = "https://dav.example.com/alice/tavro-calendar/";
    state.syncToken = "http://radicale.org/ns/sync/6d1f";
    state.resources = {{"/alice/tavro-calendar/f1.ics", "\"a\tb\"", "0123456789abcdef", false, "生日 2027-09-12"},
                       {"/alice/tavro-calendar/m%20x.ics", "", "fedcba9876543210", true, "50%\n还款"}};
    return state;
}

TEST(SyncState, KeepsEveryValueThroughItsFile) {
    const SyncState state = Sample();
    const auto read = ReadSyncState(WriteSyncState(state));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->server, state.server);
    EXPECT_EQ(read->user, state.user);
    EXPECT_EQ(read->calendarName, state.calendarName);
    EXPECT_EQ(read->calendarUrl, state.calendarUrl);
    EXPECT_EQ(read->syncToken, state.syncToken);
    ASSERT_EQ(read->resources.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(read->resources[i].href, state.resources[i].href);
        EXPECT_EQ(read->resources[i].etag, state.resources[i].etag);
        EXPECT_EQ(read->resources[i].hash, state.resources[i].hash);
        EXPECT_EQ(read->resources[i].conflict, state.resources[i].conflict);
        EXPECT_EQ(read->resources[i].label, state.resources[i].label);
    }
}

TEST(SyncState, ADamagedFileIsNoState) {
    const std::string good = WriteSyncState(Sample());
    const std::string cases[] = {
        "",
        "something else\n",
        good + "event\t/x.ics\t\"e\"\thash\n",                            // fields missing
        good + "event\t/x.ics\t\"e\"\thash\tmaybe\tlabel\n",              // no such flag
        good + "event\t/alice/tavro-calendar/f1.ics\te\th\tsynced\tl\n",  // listed twice
        good + "token\tbad%2\n",                                          // a broken escape
    };
    for (const std::string& text : cases) EXPECT_FALSE(ReadSyncState(text)) << text;
}

TEST(SyncState, LivesBesideTheMemoFileAndTellsAMissingFileFromADamagedOne) {
    ScratchFolder folder("caldav-state-");
    const auto path = SyncStatePath(folder.path() / "Reminders" / "reminders.cfg");
    EXPECT_EQ(path, folder.path() / "Reminders" / "caldav_sync.state");
    SyncState state;
    EXPECT_EQ(LoadSyncState(folder.path() / "caldav_sync.state", state), SyncStateLoad::kMissing);
    ASSERT_TRUE(SaveSyncState(folder.path() / "caldav_sync.state", Sample()));
    EXPECT_EQ(LoadSyncState(folder.path() / "caldav_sync.state", state), SyncStateLoad::kRead);
    EXPECT_EQ(state.resources.size(), 2u);
    ASSERT_TRUE(ReplaceFileAtomically(folder.path() / "caldav_sync.state", "not a state"));
    EXPECT_EQ(LoadSyncState(folder.path() / "caldav_sync.state", state), SyncStateLoad::kDamaged);
    EXPECT_EQ(state.resources.size(), 2u) << "a damaged file leaves the state as it was";
}

}  // namespace
