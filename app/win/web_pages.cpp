#include "app/win/web_pages.h"

#include <windows.h>
#include <shellapi.h>

#include "base/data_paths.h"
#include "base/win/gbk_text.h"

namespace {

// The system's handler decides how to show it; what it says is not reported.
void OpenPage(const std::string& path) {
    ShellExecuteW(nullptr, L"open", WideFromGbk(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

void OpenHelpPage(const std::string& moduleFolder) { OpenPage(DataPath(moduleFolder, "\\Help\\index.html")); }

void OpenFeedbackPage(const std::string& moduleFolder) {
    OpenPage(DataPath(moduleFolder, "\\Help\\feedback.html"));
}

void OpenSettingsHelpPage(const std::string& moduleFolder, SettingsHelpTopic topic) {
    OpenPage(DataPath(moduleFolder, topic == SettingsHelpTopic::kGeneral ? "\\Help\\settings-general.html"
                                                                          : "\\Help\\settings-appearance.html"));
}
