// The sync's password, kept by Windows' Credential Manager as a generic
// credential named for the program and the server (never in Solvane.ini):
// Windows protects it with the user's logon, and it shows, and can be
// removed, under 凭据管理器 → Windows 凭据.
#pragma once

#include <string>

// UTF-8; empty when none is kept for that server and user.
std::string ReadSyncPassword(const std::string& server, const std::string& userGbk);
// An empty password removes the one kept. False when Windows refused.
bool KeepSyncPassword(const std::string& server, const std::string& userGbk, const std::string& passwordUtf8);
