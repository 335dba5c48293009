#include "reminders/win/reminder_editor.h"

#include <iterator>
#include <string>
#include <utility>

#include "base/win/gbk_text.h"
#include "reminders/reminder_manager_model.h"
#include "resources/resource_ids.h"

namespace {

// A combo keeps each item's code as the item's number.
template <class Code>
std::vector<combo::Item> ItemsOf(const std::vector<CodeText<Code>>& codes) {
    std::vector<combo::Item> items;
    for (const CodeText<Code>& code : codes) items.push_back({code.text, static_cast<int>(code.code)});
    return items;
}
template <class Code>
void SelectCodeOf(HWND box, Code code) {
    combo::SelectCode(box, static_cast<int>(code));
}
template <class Code>
Code SelectedCodeOf(HWND box, Code fallback) {
    return static_cast<Code>(combo::SelectedCode(box, static_cast<int>(fallback)));
}

// Shows a stored value: its item when there is one, else the bare number.
void ShowValue(HWND box, int value) {
    if (!combo::SelectCode(box, value)) combo::SetText(box, std::to_string(value));
}

// The control of each field, in the order of ReminderFormField; the last five
// are the end of repetition.
constexpr int kFieldControls[] = {
    IDC_REMINDER_CONTENT,    IDC_REMINDER_START_YEAR,   IDC_REMINDER_START_MONTH, IDC_REMINDER_START_DAY,
    IDC_REMINDER_START_HOUR, IDC_REMINDER_START_MINUTE, IDC_REMINDER_END_YEAR,    IDC_REMINDER_END_MONTH,
    IDC_REMINDER_END_DAY,    IDC_REMINDER_END_HOUR,     IDC_REMINDER_END_MINUTE,
};
static_assert(std::size(kFieldControls) == static_cast<std::size_t>(ReminderFormField::kEndMinute) + 1);
constexpr std::size_t kFirstEndControl = static_cast<std::size_t>(ReminderFormField::kEndYear);

int ControlOf(ReminderFormField field) { return kFieldControls[static_cast<std::size_t>(field)]; }

// A combo tells of a new selection before its text shows it; the text is made
// the selected item's at once, so that what is read is what is chosen.
void TakeSelectedText(HWND box) {
    const LRESULT index = SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return;
    const LRESULT length = SendMessageW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    SetWindowTextW(box, text.c_str());
}

}  // namespace

ReminderEditor::ReminderEditor(const Reminder& record, std::string caption)
    : record_(record), caption_(std::move(caption)) {}

bool ReminderEditor::Run(HWND owner) { return RunModal(IDD_REMINDER_EDITOR, owner) == IDOK; }

bool ReminderEditor::OnCommand(int id, int code) {
    switch (id) {
        case IDOK:
            OnConfirm();
            return true;
        case IDC_REMINDER_CALENDAR:
            if (code == CBN_SELCHANGE) OnCalendarChanged();
            return true;
        case IDC_REMINDER_START_YEAR:
        case IDC_REMINDER_START_MONTH:
        case IDC_REMINDER_START_DAY:
            if (code == CBN_SELCHANGE) TakeSelectedText(Item(id));
            if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) ShowDateHint();
            return false;
        case IDC_REMINDER_REPEAT:
            // A yearly memo of a leap month says in its hint which years it falls in.
            if (code == CBN_SELCHANGE) ShowDateHint();
            return true;
        case IDC_REMINDER_HAS_END:
            if (code == BN_CLICKED) EnableEnd(IsDlgButtonChecked(hwnd(), IDC_REMINDER_HAS_END) == BST_CHECKED);
            return true;
        default:
            return false;
    }
}

bool ReminderEditor::OnInitDialog() {
    SetWindowTextW(hwnd(), WideFromGbk(caption_).c_str());
    HoldLogOffWhileEdited(UnsavedChangesReason(kReminderFileWords));

    combo::Fill(Item(IDC_REMINDER_CALENDAR), ItemsOf(ReminderCalendars()));
    SelectCodeOf(Item(IDC_REMINDER_CALENDAR), record_.calendar);
    combo::Fill(Item(IDC_REMINDER_FIRST_ALERT), ItemsOf(ReminderAlerts()));
    SelectCodeOf(Item(IDC_REMINDER_FIRST_ALERT), record_.firstAlert);
    combo::Fill(Item(IDC_REMINDER_SECOND_ALERT), ItemsOf(ReminderAlerts()));
    SelectCodeOf(Item(IDC_REMINDER_SECOND_ALERT), record_.secondAlert);
    combo::Fill(Item(IDC_REMINDER_CATEGORY), ItemsOf(ReminderCategories()));
    SelectCodeOf(Item(IDC_REMINDER_CATEGORY), record_.category);

    combo::Fill(Item(IDC_REMINDER_START_YEAR), ItemsOf(NumberItems(kFirstReminderYear, kLastReminderYear)));
    ShowValue(Item(IDC_REMINDER_START_YEAR), record_.start.year);
    combo::Fill(Item(IDC_REMINDER_START_HOUR), ItemsOf(NumberItems(0, 23)));
    ShowValue(Item(IDC_REMINDER_START_HOUR), record_.start.hour);
    combo::Fill(Item(IDC_REMINDER_START_MINUTE), ItemsOf(NumberItems(0, 59)));
    ShowValue(Item(IDC_REMINDER_START_MINUTE), record_.start.minute);

    const SystemTime& end = record_.repeatEnd;
    const struct {
        int id, first, last, value;
    } ends[] = {{IDC_REMINDER_END_YEAR, kFirstReminderYear, kLastReminderYear, end.year},
                {IDC_REMINDER_END_MONTH, 1, 12, end.month},
                {IDC_REMINDER_END_DAY, 1, 31, end.day},
                {IDC_REMINDER_END_HOUR, 0, 23, end.hour},
                {IDC_REMINDER_END_MINUTE, 0, 59, end.minute}};
    for (const auto& field : ends) {
        combo::Fill(Item(field.id), ItemsOf(NumberItems(field.first, field.last)));
        ShowValue(Item(field.id), field.value);
    }

    SetDialogItemText(hwnd(), IDC_REMINDER_CONTENT, ReminderText(record_));
    SendMessageW(Item(IDC_REMINDER_CONTENT), EM_SETLIMITTEXT, 0, 0);  // long texts are refused with a message instead
    FillListsFor(record_.calendar);

    CheckDlgButton(hwnd(), IDC_REMINDER_HAS_END, record_.hasRepeatEnd() ? BST_CHECKED : BST_UNCHECKED);
    EnableEnd(record_.hasRepeatEnd());
    ShowDateHint();
    return true;
}

void ReminderEditor::ShowDateHint() { SetDialogItemText(hwnd(), IDC_REMINDER_DATE_HINT, ReminderDateHint(ReadForm())); }

void ReminderEditor::FillListsFor(ReminderCalendar calendar) {
    const bool lunar = calendar == ReminderCalendar::kLunar;
    ShowWindow(Item(IDC_REMINDER_DAY_LABEL), lunar ? SW_HIDE : SW_SHOW);
    combo::Fill(Item(IDC_REMINDER_START_MONTH), ItemsOf(StartMonthItems(calendar)));
    ShowValue(Item(IDC_REMINDER_START_MONTH), StartMonthCode(record_, calendar));
    combo::Fill(Item(IDC_REMINDER_START_DAY), ItemsOf(StartDayItems(calendar)));
    ShowValue(Item(IDC_REMINDER_START_DAY), record_.start.day);
    combo::Fill(Item(IDC_REMINDER_REPEAT), ItemsOf(RepeatsOfferedFor(calendar)));
    SelectCodeOf(Item(IDC_REMINDER_REPEAT), OfferedRepeat(calendar, RepetitionOf(record_)));
}

void ReminderEditor::OnCalendarChanged() {
    // The stored numbers are shown in the other calendar's terms, not
    // converted: the 15th of March becomes 三月十五. The hint beside the
    // fields says which day that now is.
    FillListsFor(SelectedCodeOf(Item(IDC_REMINDER_CALENDAR), record_.calendar));
    ShowDateHint();
}

void ReminderEditor::EnableEnd(bool enabled) {
    for (std::size_t i = kFirstEndControl; i < std::size(kFieldControls); ++i)
        EnableWindow(Item(kFieldControls[i]), enabled ? TRUE : FALSE);
}

ReminderEditorForm ReminderEditor::ReadForm() const {
    ReminderEditorForm form;
    form.content = DialogItemText(hwnd(), IDC_REMINDER_CONTENT, form.contentLostCharacters);
    form.calendar = SelectedCodeOf(Item(IDC_REMINDER_CALENDAR), record_.calendar);
    form.repeat = SelectedCodeOf(Item(IDC_REMINDER_REPEAT), ReminderRepeat::kNone);
    form.firstAlert = SelectedCodeOf(Item(IDC_REMINDER_FIRST_ALERT), record_.firstAlert);
    form.secondAlert = SelectedCodeOf(Item(IDC_REMINDER_SECOND_ALERT), record_.secondAlert);
    form.category = SelectedCodeOf(Item(IDC_REMINDER_CATEGORY), record_.category);
    form.startYear = combo::Text(Item(IDC_REMINDER_START_YEAR));
    form.startMonth = combo::Text(Item(IDC_REMINDER_START_MONTH));
    form.startDay = combo::Text(Item(IDC_REMINDER_START_DAY));
    form.startHour = combo::Text(Item(IDC_REMINDER_START_HOUR));
    form.startMinute = combo::Text(Item(IDC_REMINDER_START_MINUTE));
    form.hasRepeatEnd = IsDlgButtonChecked(hwnd(), IDC_REMINDER_HAS_END) == BST_CHECKED;
    form.endYear = combo::Text(Item(IDC_REMINDER_END_YEAR));
    form.endMonth = combo::Text(Item(IDC_REMINDER_END_MONTH));
    form.endDay = combo::Text(Item(IDC_REMINDER_END_DAY));
    form.endHour = combo::Text(Item(IDC_REMINDER_END_HOUR));
    form.endMinute = combo::Text(Item(IDC_REMINDER_END_MINUTE));
    return form;
}

void ReminderEditor::OnConfirm() {
    Reminder edited = record_;
    if (const auto problem = ApplyEditorForm(ReadForm(), edited)) {
        ShowMessage(hwnd(), problem->message, MB_OK | MB_ICONWARNING);
        const HWND control = Item(ControlOf(problem->field));
        SetFocus(control);
        if (problem->field == ReminderFormField::kContent) SendMessageW(control, EM_SETSEL, 0, -1);
        return;
    }
    record_ = edited;
    EndModal(IDOK);
}
