#include "reminders/win/reminder_editor.h"

#include <utility>

#include "base/win/gbk_text.h"
#include "resources/resource_ids.h"

namespace {

std::vector<combo::Item> ItemsOf(const std::vector<ReminderCode>& codes) {
    std::vector<combo::Item> items;
    for (const ReminderCode& code : codes) items.push_back({code.text, code.code});
    return items;
}

// Shows a stored value: its item when there is one, else the bare number.
void ShowValue(HWND box, int value) {
    if (!combo::SelectCode(box, value)) combo::SetText(box, std::to_string(value));
}

constexpr int kEndControls[] = {IDC_MEMO_END_YEAR, IDC_MEMO_END_MONTH, IDC_MEMO_END_DAY, IDC_MEMO_END_HOUR,
                                IDC_MEMO_END_MINUTE};

int ControlOf(ReminderFormField field) {
    switch (field) {
        case ReminderFormField::kContent: return IDC_MEMO_CONTENT;
        case ReminderFormField::kStartYear: return IDC_MEMO_START_YEAR;
        case ReminderFormField::kStartMonth: return IDC_MEMO_START_MONTH;
        case ReminderFormField::kStartDay: return IDC_MEMO_START_DAY;
        case ReminderFormField::kStartHour: return IDC_MEMO_START_HOUR;
        case ReminderFormField::kStartMinute: return IDC_MEMO_START_MINUTE;
        case ReminderFormField::kEndYear: return IDC_MEMO_END_YEAR;
        case ReminderFormField::kEndMonth: return IDC_MEMO_END_MONTH;
        case ReminderFormField::kEndDay: return IDC_MEMO_END_DAY;
        case ReminderFormField::kEndHour: return IDC_MEMO_END_HOUR;
        case ReminderFormField::kEndMinute: return IDC_MEMO_END_MINUTE;
    }
    return IDC_MEMO_CONTENT;
}

}  // namespace

ReminderEditor::ReminderEditor(const Reminder& record, std::string caption)
    : record_(record), caption_(std::move(caption)) {}

bool ReminderEditor::Run(HWND owner) {
    owner_ = owner;
    return RunModal(IDD_REMINDER_EDITOR, owner) == IDOK;
}

bool ReminderEditor::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (sessionEnd_.OnMessage(hwnd(), message, edited_, "有尚未保存的备忘修改", result)) return true;
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            initialised_ = true;
            result = TRUE;
            return true;
        case WM_COMMAND:
            if (initialised_ && SessionEndGuard::IsEdit(wParam)) edited_ = true;
            switch (LOWORD(wParam)) {
                case IDOK:
                    OnConfirm();
                    return true;
                case IDCANCEL:
                    EndDialog(hwnd(), IDCANCEL);
                    return true;
                case IDC_MEMO_CALENDAR:
                    if (HIWORD(wParam) == CBN_SELCHANGE) OnCalendarChanged();
                    return true;
                case IDC_MEMO_HAS_END:
                    if (HIWORD(wParam) == BN_CLICKED) EnableEnd(IsDlgButtonChecked(hwnd(), IDC_MEMO_HAS_END) == BST_CHECKED);
                    return true;
                default:
                    return false;
            }
        default:
            return false;
    }
}

void ReminderEditor::OnInitDialog() {
    SetWindowTextW(hwnd(), WideFromGbk(caption_).c_str());
    icons_.SetWindowIcons(hwnd(), IDI_APPLICATION_ICON);
    CenterOverOwner(hwnd(), owner_);
    ShowInTaskbarWhenAlone(hwnd());

    combo::Fill(Item(IDC_MEMO_CALENDAR), ItemsOf(ReminderCalendars()));
    combo::SelectCode(Item(IDC_MEMO_CALENDAR), record_.calendar);
    combo::Fill(Item(IDC_MEMO_FIRST_ALERT), ItemsOf(ReminderAlerts()));
    combo::SelectCode(Item(IDC_MEMO_FIRST_ALERT), record_.firstAlert);
    combo::Fill(Item(IDC_MEMO_SECOND_ALERT), ItemsOf(ReminderAlerts()));
    combo::SelectCode(Item(IDC_MEMO_SECOND_ALERT), record_.secondAlert);
    combo::Fill(Item(IDC_MEMO_CATEGORY), ItemsOf(ReminderCategories()));
    combo::SelectCode(Item(IDC_MEMO_CATEGORY), record_.category);

    combo::Fill(Item(IDC_MEMO_START_YEAR), ItemsOf(NumberItems(kFirstReminderYear, kLastReminderYear)));
    ShowValue(Item(IDC_MEMO_START_YEAR), record_.start.year);
    combo::Fill(Item(IDC_MEMO_START_HOUR), ItemsOf(NumberItems(0, 23)));
    ShowValue(Item(IDC_MEMO_START_HOUR), record_.start.hour);
    combo::Fill(Item(IDC_MEMO_START_MINUTE), ItemsOf(NumberItems(0, 59)));
    ShowValue(Item(IDC_MEMO_START_MINUTE), record_.start.minute);

    const SystemTime& end = record_.repeatEnd;
    const struct {
        int id, first, last, value;
    } ends[] = {{IDC_MEMO_END_YEAR, kFirstReminderYear, kLastReminderYear, end.year},
                {IDC_MEMO_END_MONTH, 1, 12, end.month},
                {IDC_MEMO_END_DAY, 1, 31, end.day},
                {IDC_MEMO_END_HOUR, 0, 23, end.hour},
                {IDC_MEMO_END_MINUTE, 0, 59, end.minute}};
    for (const auto& field : ends) {
        combo::Fill(Item(field.id), ItemsOf(NumberItems(field.first, field.last)));
        ShowValue(Item(field.id), field.value);
    }

    SetDialogItemText(hwnd(), IDC_MEMO_CONTENT, ReminderText(record_));
    SendMessageW(Item(IDC_MEMO_CONTENT), EM_SETLIMITTEXT, 0, 0);  // long texts are refused with a message instead
    FillListsFor(record_.calendar);

    CheckDlgButton(hwnd(), IDC_MEMO_HAS_END, record_.hasRepeatEnd ? BST_CHECKED : BST_UNCHECKED);
    EnableEnd(record_.hasRepeatEnd != 0);
}

void ReminderEditor::FillListsFor(std::int32_t calendar) {
    const bool lunar = calendar == kReminderLunar;
    ShowWindow(Item(IDC_MEMO_DAY_LABEL), lunar ? SW_HIDE : SW_SHOW);
    combo::Fill(Item(IDC_MEMO_START_MONTH), ItemsOf(StartMonthItems(calendar)));
    ShowValue(Item(IDC_MEMO_START_MONTH), record_.start.month);
    combo::Fill(Item(IDC_MEMO_START_DAY), ItemsOf(StartDayItems(calendar)));
    ShowValue(Item(IDC_MEMO_START_DAY), record_.start.day);
    combo::Fill(Item(IDC_MEMO_REPEAT), ItemsOf(RepeatsOfferedFor(calendar)));
    combo::SelectCode(Item(IDC_MEMO_REPEAT), OfferedRepeat(calendar, record_.repeat));
}

void ReminderEditor::OnCalendarChanged() {
    // The stored numbers are shown in the other calendar's terms, not
    // converted: the 15th of March becomes 三月十五.
    FillListsFor(combo::SelectedCode(Item(IDC_MEMO_CALENDAR), record_.calendar));
}

void ReminderEditor::EnableEnd(bool enabled) {
    for (const int id : kEndControls) EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

ReminderForm ReminderEditor::ReadForm() const {
    ReminderForm form;
    form.content = DialogItemText(hwnd(), IDC_MEMO_CONTENT, form.contentLostCharacters);
    form.calendar = combo::SelectedCode(Item(IDC_MEMO_CALENDAR), record_.calendar);
    form.repeat = combo::SelectedCode(Item(IDC_MEMO_REPEAT), kRepeatNone);
    form.firstAlert = combo::SelectedCode(Item(IDC_MEMO_FIRST_ALERT), record_.firstAlert);
    form.secondAlert = combo::SelectedCode(Item(IDC_MEMO_SECOND_ALERT), record_.secondAlert);
    form.category = combo::SelectedCode(Item(IDC_MEMO_CATEGORY), record_.category);
    form.startYear = combo::Text(Item(IDC_MEMO_START_YEAR));
    form.startMonth = combo::Text(Item(IDC_MEMO_START_MONTH));
    form.startDay = combo::Text(Item(IDC_MEMO_START_DAY));
    form.startHour = combo::Text(Item(IDC_MEMO_START_HOUR));
    form.startMinute = combo::Text(Item(IDC_MEMO_START_MINUTE));
    form.hasRepeatEnd = IsDlgButtonChecked(hwnd(), IDC_MEMO_HAS_END) == BST_CHECKED;
    form.endYear = combo::Text(Item(IDC_MEMO_END_YEAR));
    form.endMonth = combo::Text(Item(IDC_MEMO_END_MONTH));
    form.endDay = combo::Text(Item(IDC_MEMO_END_DAY));
    form.endHour = combo::Text(Item(IDC_MEMO_END_HOUR));
    form.endMinute = combo::Text(Item(IDC_MEMO_END_MINUTE));
    return form;
}

void ReminderEditor::OnConfirm() {
    Reminder edited = record_;
    if (const auto problem = ApplyReminderForm(ReadForm(), edited)) {
        ShowMessage(hwnd(), problem->message, MB_OK | MB_ICONWARNING);
        const HWND control = Item(ControlOf(problem->field));
        SetFocus(control);
        if (problem->field == ReminderFormField::kContent) SendMessageW(control, EM_SETSEL, 0, -1);
        return;
    }
    record_ = edited;
    EndDialog(hwnd(), IDOK);
}
