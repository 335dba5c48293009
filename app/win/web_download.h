// A download from the update site into memory through WinINet, kept to the
// limits of app/download_rules.h. Nothing reaches the Internet cache (the
// check wants a fresh copy each time, and an oversized answer must leave no
// trace on disk), and redirects are not left to WinINet: each is judged
// against the address rule before it is followed.
#pragma once

#include <string>

#include "app/download_rules.h"

// The body of the answer to `url` (an address the rule accepts), or false
// when the download failed, was refused or ran out of time.
bool DownloadText(const std::wstring& url, const DownloadLimits& limits, std::string& body);
