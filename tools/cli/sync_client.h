// The HTTP client the sync command sends with: libcurl in the native Linux
// build, WinHTTP on Windows. The 32-bit Linux build of the tool has none
// (null): its sync command says so.
#pragma once

#include <memory>

#include "caldav/http_exchange.h"

std::unique_ptr<HttpClient> MakeSyncClient();
