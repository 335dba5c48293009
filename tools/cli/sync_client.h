// The HTTP client the sync command sends with: libcurl in the native Linux
// build. The cross builds of the tool have none (null): their sync command
// says so.
#pragma once

#include <memory>

#include "caldav/http_exchange.h"

std::unique_ptr<HttpClient> MakeSyncClient();
