// The help and feedback pages, shipped beside the executable and shown in the
// default browser.
#pragma once

#include <string>

void OpenHelpPage(const std::string& moduleFolder);
void OpenFeedbackPage(const std::string& moduleFolder);
