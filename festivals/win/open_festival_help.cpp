#include "festivals/win/open_festival_help.h"

#include <windows.h>
#include <shellapi.h>

#include "festivals/festival_help_links.h"

std::wstring FestivalHelpAddress(const std::string& name) {
    // Addresses are percent-encoded ASCII, so widening byte by byte is exact.
    const std::string link = FestivalHelpLinkFor(name);
    return std::wstring(link.begin(), link.end());
}

void OpenFestivalHelp(const std::string& name) {
    ShellExecuteW(nullptr, L"open", FestivalHelpAddress(name).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
