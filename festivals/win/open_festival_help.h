// Opening a festival's help page in the user's web browser.
#pragma once

#include <string>

// The address that OpenFestivalHelp hands to the shell for a name.
std::wstring FestivalHelpAddress(const std::string& name);

// Asks the shell to open the page of the festival or solar term (the general
// page for other names) with its default handler. Whether a browser starts is
// not examined: there is nothing the user could be told that helps.
void OpenFestivalHelp(const std::string& name);
