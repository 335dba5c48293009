// The memo editor: one memo's text, start, alerts, repetition and category,
// edited on a copy. The caller keeps the copy only when the user confirms.
#pragma once

#include <windows.h>

#include <string>

#include "base/win/dialog_window.h"
#include "reminders/reminder.h"
#include "reminders/reminder_editor_form.h"

class ReminderEditor : public DialogWindow {
public:
    // `caption` (GBK) replaces the resource's title: "添加" or "编辑".
    ReminderEditor(const Reminder& record, std::string caption);

    // True when the user confirmed; record() then holds the edited memo.
    bool Run(HWND owner);
    const Reminder& record() const { return record_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;

private:
    void OnCalendarChanged();
    // The start date in the other calendar, beside the date fields.
    void ShowDateHint();
    void OnConfirm();
    // The start month and day lists and the repeat list for a calendar, each
    // showing what the record holds.
    void FillListsFor(ReminderCalendar calendar);
    void EnableEnd(bool enabled);
    ReminderEditorForm ReadForm() const;

    Reminder record_;
    std::string caption_;
};
