#include "tools/cli/sync_client.h"

std::unique_ptr<HttpClient> MakeSyncClient() { return nullptr; }
