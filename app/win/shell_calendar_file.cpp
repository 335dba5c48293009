// The shell's part in 保持更新: the calendar file the export dialog chose is
// written anew after each save of the festivals or the memos and when a new
// year begins (its years run from this year). A file that cannot be written
// is told of once; the setting stays, and the next save tries again.
#include <string>

#include "app/win/shell_window.h"
#include "base/win/dialog_kit.h"
#include "base/win/gbk_text.h"
#include "calendar/win/system_time.h"
#include "export/win/export_dialog.h"

namespace {

// Windows' clock of the file's last write, UTC: a year or so either way
// makes no difference to "written in an earlier year".
int YearWritten(const std::filesystem::path& file) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    SYSTEMTIME written;
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToSystemTime(&data.ftLastWriteTime, &written)) {
        return 0;
    }
    return written.wYear;
}

}  // namespace

void ShellWindow::StartCalendarFile() {
    calendarFile_ = std::make_unique<IcsFileKeeper>(hwnd(), kCalendarFileWrittenMessage, moduleFolder_);
    calendarFileYear_ = LocalNow().year;
    // A new year that began while the program was not running.
    const IcsSubscription subscription = IcsSubscriptionOf(settings_);
    if (subscription.keepUpdated && YearWritten(subscription.file) < calendarFileYear_) KeepCalendarFileCurrent();
}

void ShellWindow::KeepCalendarFileCurrent() {
    if (!calendarFile_) return;
    calendarFileYear_ = LocalNow().year;
    calendarFile_->Refresh(IcsSubscriptionOf(settings_));
}

void ShellWindow::OnNewYearForCalendarFile(const SystemTime& now) {
    if (now.year != calendarFileYear_) KeepCalendarFileCurrent();
}

void ShellWindow::OpenExportDialog() {
    IcsSubscription subscription = IcsSubscriptionOf(settings_);
    const bool wasKept = subscription.keepUpdated;
    if (!RunExportDialog(hwnd(), moduleFolder_, subscription) || !hwnd()) return;
    if (!subscription.keepUpdated && !wasKept) return;
    if (!SaveIcsSubscription(settingsFile_, subscription)) return;
    SetIcsSubscription(settings_, subscription);
    toldOfCalendarFile_ = false;
}

void ShellWindow::OnCalendarFileWritten() {
    if (!calendarFile_) return;
    const std::optional<IcsFileKeeper::Result> result = calendarFile_->Finished();
    if (!result) return;
    switch (result->outcome) {
        case IcsFileWrite::kWritten:
            toldOfCalendarFile_ = false;
            return;
        case IcsFileWrite::kNotRead:
            // A festival or memo file locked for a moment: the next save.
            return;
        case IcsFileWrite::kTooLarge:
        case IcsFileWrite::kUnwritable:
            if (toldOfCalendarFile_) return;
            toldOfCalendarFile_ = true;
            calendarFileFailure_ = *result;
            PostMessageW(hwnd(), kCalendarFileFailedMessage, 0, 0);
            return;
    }
}

void ShellWindow::OnCalendarFileFailed() {
    if (!calendarFileFailure_) return;
    const IcsFileKeeper::Result failure = *calendarFileFailure_;
    calendarFileFailure_.reset();
    if (failure.outcome == IcsFileWrite::kTooLarge) {
        Warn(TextNamingFile("日历文件没有更新：\n", failure.file,
                            "\n\n要写入的内容超过了一个文件的上限（" + std::to_string(kIcsMaxEvents) + " 个事件、" +
                                std::to_string(kIcsMaxBytes >> 20) +
                                " MB）。请在「导出到手机日历...」中减少年数。「保持更新」仍然开着。"));
        return;
    }
    Warn(TextNamingFile("无法更新日历文件：\n", failure.file,
                        "\n\n它可能被其他程序占用、是只读的，或者所在的文件夹已不存在。「保持更新」仍然开着，"
                        "下次保存节日或备忘时会再试。"));
}
