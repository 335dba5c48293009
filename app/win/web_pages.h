// The help and feedback pages, shipped beside the executable and shown in the
// default browser.
#pragma once

#include <string>

void OpenHelpPage(const std::string& moduleFolder);
void OpenFeedbackPage(const std::string& moduleFolder);

// The help on the settings dialog's general options and on its appearance
// options.
enum class SettingsHelpTopic { kGeneral, kAppearance };
void OpenSettingsHelpPage(const std::string& moduleFolder, SettingsHelpTopic topic);
