#include "caldav/win/winhttp_client.h"
#include "tools/cli/sync_client.h"

std::unique_ptr<HttpClient> MakeSyncClient() { return MakeWinHttpClient(); }
