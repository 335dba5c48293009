#include "app/win/web_pages.h"

#include <windows.h>
#include <shellapi.h>

#include "base/data_paths.h"

namespace {

// The system's handler decides how to show it; what it says is not reported.
void OpenPage(const std::filesystem::path& path) {
    ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

void OpenHelpPage(const std::filesystem::path& moduleFolder) { OpenPage(HelpPagePath(moduleFolder, "index.html")); }

void OpenFeedbackPage(const std::filesystem::path& moduleFolder) {
    OpenPage(HelpPagePath(moduleFolder, "feedback.html"));
}

void OpenSettingsHelpPage(const std::filesystem::path& moduleFolder, SettingsHelpTopic topic) {
    OpenPage(HelpPagePath(moduleFolder,
                          topic == SettingsHelpTopic::kGeneral ? "settings-general.html" : "settings-appearance.html"));
}
