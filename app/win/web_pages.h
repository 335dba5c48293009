// The help and feedback pages, shipped beside the executable and shown in the
// default browser.
#pragma once

#include <filesystem>
#include <string>

void OpenHelpPage(const std::filesystem::path& moduleFolder);
void OpenFeedbackPage(const std::filesystem::path& moduleFolder);

// The help on the settings dialog's general options and on its appearance
// options.
enum class SettingsHelpTopic { kGeneral, kAppearance };
void OpenSettingsHelpPage(const std::filesystem::path& moduleFolder, SettingsHelpTopic topic);
