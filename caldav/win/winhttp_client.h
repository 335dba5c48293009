// The calendar sync's HTTP client on Windows: WinHTTP, through the proxy the
// user set for Windows (Internet Options) and with the certificates Windows
// trusts. With automatic configuration (detected on the network, or a
// script's address) each server's way is what the script says, asked once
// per server; when it cannot say, the proxy named there, else none, as
// browsers on the same desk do. A certificate that does not verify is never waved through; plain
// HTTP goes only to this machine's own loopback address. No redirect is
// followed, no cookie kept, no Windows logon offered to the server: the sync
// sends its own Authorization header and judges every address itself.
#pragma once

#include <cstddef>
#include <memory>

#include "caldav/http_exchange.h"

struct WinHttpLimits {
    int connectMs = kHttpConnectSeconds * 1000;
    int quietMs = kHttpQuietSeconds * 1000;  // without a byte sent or received
    std::size_t answerLimit = kHttpAnswerLimit;
};

std::unique_ptr<HttpClient> MakeWinHttpClient(const WinHttpLimits& limits = WinHttpLimits());
