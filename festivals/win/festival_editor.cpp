#include "festivals/win/festival_editor.h"

#include <commdlg.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "almanac/solar_term_names.h"
#include "base/win/gbk_text.h"
#include "calendar/calendar_texts.h"
#include "calendar/lunar_calendar.h"
#include "festivals/festival_manager_model.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kFirstYear = 1901;
constexpr int kLastYear = 2099;
constexpr int kMostDaysOffered = 365;
// Typing limits, in characters: a path as long as the file dialog gives, and
// room for both beside the rest of the rule's line.
constexpr int kMostNameCharacters = 200;
constexpr int kMostSoundFileCharacters = MAX_PATH - 1;
constexpr int kMostYearCharacters = 4;
constexpr int kMostMonthOrDayCharacters = 2;
constexpr int kMostCountCharacters = 5;

const int kPageResources[kDatePageCount] = {
    IDD_DATE_PAGE_WEEKDAY_OF_MONTH,     IDD_DATE_PAGE_DAYS_FROM_GREGORIAN_DATE,
    IDD_DATE_PAGE_DAYS_FROM_SOLAR_TERM, IDD_DATE_PAGE_GREGORIAN_DATE,
    IDD_DATE_PAGE_LUNAR_DATE,           IDD_DATE_PAGE_DAYS_FROM_LUNAR_DATE,
};

// Which control of a page holds which choice (0: the page has none).
struct PageControls {
    int month, day, n, weekday, direction, count, term;
};
const PageControls kPageControls[kDatePageCount] = {
    {IDC_PAGE_MONTH, 0, IDC_PAGE_NTH, IDC_PAGE_WEEKDAY, 0, 0, 0},
    {IDC_PAGE_FROM_MONTH, IDC_PAGE_FROM_DAY, 0, 0, IDC_PAGE_DIRECTION, IDC_PAGE_COUNT, 0},
    {0, 0, 0, 0, IDC_PAGE_DIRECTION, IDC_PAGE_COUNT, IDC_PAGE_TERM},
    {IDC_PAGE_MONTH, IDC_PAGE_DAY, 0, 0, 0, 0, 0},
    {IDC_PAGE_MONTH, IDC_PAGE_DAY, 0, 0, 0, 0, 0},
    {IDC_PAGE_FROM_MONTH, IDC_PAGE_FROM_DAY, 0, 0, IDC_PAGE_DIRECTION, IDC_PAGE_COUNT, 0},
};

bool IsLunarPage(int page) { return page == kLunarDatePage || page == kDaysFromLunarDatePage; }

std::vector<combo::Item> Numbers(int first, int last, const char* suffix = "") {
    std::vector<combo::Item> items;
    for (int i = first; i <= last; ++i) items.push_back({std::to_string(i) + suffix, i});
    return items;
}

// The fixed lunar date also offers the leap months a year can have (闰二 ...).
std::vector<combo::Item> LunarMonths(bool withLeapMonths) {
    std::vector<combo::Item> items;
    for (int month = 1; month <= 12; ++month) items.push_back({LunarMonthName(month), month});
    if (withLeapMonths) {
        for (int month : MonthsThatCanBeLeap()) items.push_back({"闰" + LunarMonthName(month), kLeapMonthCode + month});
    }
    return items;
}

std::vector<combo::Item> LunarDays() {
    std::vector<combo::Item> items;
    for (int day = 1; day <= 30; ++day) items.push_back({LunarDayName(day), day});
    return items;
}

std::vector<combo::Item> NthItems() {
    std::vector<combo::Item> items;
    for (int n = 1; n <= 5; ++n) items.push_back({"第" + ChineseDigits(n) + "个", n});
    for (int n = 1; n <= 5; ++n) items.push_back({"倒数第" + ChineseDigits(n) + "个", -n});
    return items;
}

std::vector<combo::Item> WeekdayItems() {
    std::vector<combo::Item> items;
    for (int day = 1; day <= 7; ++day) items.push_back({"星期" + WeekdayName(day), day});
    return items;
}

std::vector<combo::Item> SolarTermItems() {
    std::vector<combo::Item> items;
    for (int term = 0; term < kSolarTermCount; ++term) items.push_back({SolarTermName(term), term});
    return items;
}

// Lists of keyed texts carry the entry's index as their code.
std::vector<combo::Item> Indexed(const std::vector<KeyedText>& entries) {
    std::vector<combo::Item> items;
    for (size_t i = 0; i < entries.size(); ++i) items.push_back({entries[i].text, static_cast<int>(i)});
    return items;
}

void SelectKey(HWND list, const std::vector<KeyedText>& entries, const std::string& key) {
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].key == key) {
            combo::SelectCode(list, static_cast<int>(i));
            return;
        }
    }
    combo::SelectCode(list, -1);
}

std::string SelectedKey(HWND list, const std::vector<KeyedText>& entries) {
    const int index = combo::SelectedCode(list, -1);
    return index >= 0 && index < static_cast<int>(entries.size()) ? entries[index].key : std::string();
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// Sent by a date page to the editor when one of its choices changed.
constexpr UINT kDatePageChanged = WM_APP + 1;

Date Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return Date::FromCivil(now.wYear, now.wMonth, now.wDay).value_or(Date());
}

}  // namespace

bool FestivalEditor::DatePageWindow::OnCommand(int, int code) {
    if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) SendMessageW(GetParent(hwnd()), kDatePageChanged, 0, 0);
    return false;
}

bool FestivalEditor::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message != kDatePageChanged) return false;
    ShowDateHint();
    result = 0;
    return true;
}

Date FestivalEditor::ReferenceDay() const { return day_ ? *day_ : Today(); }

void FestivalEditor::ShowDateHint() {
    SetDialogItemText(hwnd(), IDC_EDITOR_DATE_HINT, FestivalDateHint(shown_, ReadPage(shown_), ReferenceDay()));
}

FestivalEditor::FestivalEditor(FestivalRule rule, std::string caption, std::optional<Date> day)
    : rule_(std::move(rule)), caption_(std::move(caption)), day_(day) {}

bool FestivalEditor::Run(HWND owner) { return RunModal(IDD_FESTIVAL_EDITOR, owner) == IDOK; }

bool FestivalEditor::OnCommand(int id, int code) {
    switch (id) {
        case IDOK:
            OnOk();
            return true;
        case IDC_EDITOR_CHOOSE_SOUND:
            ChooseSoundFile();
            return true;
        case IDC_EDITOR_CALENDAR:
        case IDC_EDITOR_DATE_FORM:
            if (code == CBN_SELCHANGE) FollowSelections();
            return true;
        default:
            return false;
    }
}

bool FestivalEditor::OnInitDialog() {
    SetWindowTextW(hwnd(), WideFromGbk(caption_).c_str());
    HoldLogOffWhileEdited(UnsavedChangesReason(kFestivalFileWords));

    const FestivalEditorForm form = EditorFormFromRule(rule_);
    CheckDlgButton(hwnd(), IDC_EDITOR_REMINDER_WINDOW, form.showReminderWindow ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd(), IDC_EDITOR_FORENOTICE, form.showInForenotice ? BST_CHECKED : BST_UNCHECKED);
    combo::Fill(Item(IDC_EDITOR_KIND), Indexed(FestivalKindEntries()));
    SelectKey(Item(IDC_EDITOR_KIND), FestivalKindEntries(), form.kind);
    combo::Fill(Item(IDC_EDITOR_CALENDAR), Indexed(CalendarEntries()));
    SelectKey(Item(IDC_EDITOR_CALENDAR), CalendarEntries(), form.calendar);

    LimitTexts();
    SetDialogItemText(hwnd(), IDC_EDITOR_NAME, form.name);
    SetDialogItemText(hwnd(), IDC_EDITOR_SOUND_FILE, form.soundFile);
    combo::Fill(Item(IDC_EDITOR_START_YEAR), Numbers(kFirstYear, kLastYear));
    combo::Fill(Item(IDC_EDITOR_END_YEAR), Numbers(kFirstYear, kLastYear));
    combo::Fill(Item(IDC_EDITOR_END_MONTH), Numbers(1, 12));
    combo::Fill(Item(IDC_EDITOR_END_DAY), Numbers(1, 31));
    combo::SetText(Item(IDC_EDITOR_START_YEAR), form.startYear);
    combo::SetText(Item(IDC_EDITOR_END_YEAR), form.endYear);
    combo::SetText(Item(IDC_EDITOR_END_MONTH), form.endMonth);
    combo::SetText(Item(IDC_EDITOR_END_DAY), form.endDay);

    combo::Fill(Item(IDC_EDITOR_DATE_FORM), [] {
        std::vector<combo::Item> items;
        for (const KeyedText& entry : DateFormEntries()) items.push_back({entry.text, std::stoi(entry.key)});
        return items;
    }());
    combo::SelectCode(Item(IDC_EDITOR_DATE_FORM), form.dateForm.empty() ? -1 : std::stoi(form.dateForm));

    CreatePages();
    FillPages(form);
    ShowPage(DatePageFor(form.dateForm, form.calendar, shown_));
    SetFocus(Item(IDC_EDITOR_KIND));
    return false;  // the focus is set
}

// Typing stops where the file could no longer hold the rule; a rule opened
// with longer texts keeps them. Commas take more room in the file than on
// screen, so OK still checks the whole line.
void FestivalEditor::LimitTexts() {
    SendMessageW(Item(IDC_EDITOR_NAME), EM_LIMITTEXT, kMostNameCharacters, 0);
    SendMessageW(Item(IDC_EDITOR_SOUND_FILE), EM_LIMITTEXT, kMostSoundFileCharacters, 0);
    SendMessageW(Item(IDC_EDITOR_START_YEAR), CB_LIMITTEXT, kMostYearCharacters, 0);
    SendMessageW(Item(IDC_EDITOR_END_YEAR), CB_LIMITTEXT, kMostYearCharacters, 0);
    SendMessageW(Item(IDC_EDITOR_END_MONTH), CB_LIMITTEXT, kMostMonthOrDayCharacters, 0);
    SendMessageW(Item(IDC_EDITOR_END_DAY), CB_LIMITTEXT, kMostMonthOrDayCharacters, 0);
}

void FestivalEditor::CreatePages() {
    RECT host{};
    GetWindowRect(Item(IDC_EDITOR_DATE_HOST), &host);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&host), 2);
    // Right after the calendar list in the tab order, where the date is read.
    HWND after = Item(IDC_EDITOR_CALENDAR);
    for (int page = 0; page < kDatePageCount; ++page) {
        if (!pages_[page].CreateModeless(kPageResources[page], hwnd(), nullptr)) continue;
        // As tall as the place, so that the lists' edit boxes are not cut off
        // at the page's lower edge.
        RECT size{};
        GetWindowRect(pages_[page].hwnd(), &size);
        const int width = std::max(size.right - size.left, host.right - host.left);
        const int height = std::max(size.bottom - size.top, host.bottom - host.top);
        SetWindowPos(pages_[page].hwnd(), after, host.left, host.top, width, height, SWP_NOACTIVATE);
        after = pages_[page].hwnd();

        const HWND window = pages_[page].hwnd();
        const PageControls& ids = kPageControls[page];
        const bool lunar = IsLunarPage(page);
        if (ids.month) {
            combo::Fill(GetDlgItem(window, ids.month), lunar ? LunarMonths(page == kLunarDatePage)
                                                             : Numbers(1, 12, page == kWeekdayOfMonthPage ? "月" : ""));
        }
        if (ids.day) combo::Fill(GetDlgItem(window, ids.day), lunar ? LunarDays() : Numbers(1, 31));
        if (ids.n) combo::Fill(GetDlgItem(window, ids.n), NthItems());
        if (ids.weekday) combo::Fill(GetDlgItem(window, ids.weekday), WeekdayItems());
        if (ids.direction) combo::Fill(GetDlgItem(window, ids.direction), {{"顺数", 1}, {"倒数", -1}});
        if (ids.count) {
            combo::Fill(GetDlgItem(window, ids.count), Numbers(1, kMostDaysOffered));
            SendMessageW(GetDlgItem(window, ids.count), CB_LIMITTEXT, kMostCountCharacters, 0);
        }
        if (ids.term) combo::Fill(GetDlgItem(window, ids.term), SolarTermItems());
    }
}

void FestivalEditor::FillPages(const FestivalEditorForm& form) {
    for (int page = 0; page < kDatePageCount; ++page) FillPage(static_cast<DatePage>(page), form.pages[page]);
}

void FestivalEditor::FillPage(DatePage page, const DatePageChoice& choice) {
    const HWND window = pages_[page].hwnd();
    if (!window) return;
    const PageControls& ids = kPageControls[page];
    if (ids.month) combo::SelectCode(GetDlgItem(window, ids.month), choice.month);
    if (ids.day) combo::SelectCode(GetDlgItem(window, ids.day), choice.day);
    if (ids.n) combo::SelectCode(GetDlgItem(window, ids.n), choice.n);
    if (ids.weekday) combo::SelectCode(GetDlgItem(window, ids.weekday), choice.weekday);
    if (ids.direction) combo::SelectCode(GetDlgItem(window, ids.direction), choice.direction);
    if (ids.count) combo::SetText(GetDlgItem(window, ids.count), choice.count);
    if (ids.term) combo::SelectCode(GetDlgItem(window, ids.term), SolarTermIndex(choice.term));
}

void FestivalEditor::ShowPage(DatePage page) {
    shown_ = page;
    for (int i = 0; i < kDatePageCount; ++i) {
        if (pages_[i].hwnd()) ShowWindow(pages_[i].hwnd(), i == page ? SW_SHOWNA : SW_HIDE);
    }
    ShowDateHint();
}

void FestivalEditor::FollowSelections() {
    const std::string calendar = SelectedKey(Item(IDC_EDITOR_CALENDAR), CalendarEntries());
    const int form = combo::SelectedCode(Item(IDC_EDITOR_DATE_FORM), -1);
    const DatePage page = DatePageFor(form < 0 ? std::string() : std::to_string(form), calendar, shown_);
    // The date chosen stays the same day in the other calendar, unless the
    // other page holds a date of its own.
    const DatePageChoice target = ReadPage(page);
    if (page != shown_ && target.month == 0 && target.day == 0) {
        if (const auto carried = CarryFixedDate(shown_, page, ReadPage(shown_), ReferenceDay())) {
            FillPage(page, *carried);
        }
    }
    ShowPage(page);
}

void FestivalEditor::ChooseSoundFile() {
    wchar_t path[MAX_PATH] = {};
    const std::wstring folder = FolderOf(DialogItemWideText(hwnd(), IDC_EDITOR_SOUND_FILE));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = hwnd();
    dialog.lpstrFilter = L"声音文件(*.wav)\0*.wav\0全部文件(*.*)\0*.*\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    // A name typed without an extension means a wave file, like the filter.
    dialog.lpstrDefExt = L"wav";
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (GetOpenFileNameW(&dialog)) SetDlgItemTextW(hwnd(), IDC_EDITOR_SOUND_FILE, path);
}

DatePageChoice FestivalEditor::ReadPage(DatePage page) const {
    DatePageChoice choice;
    const HWND window = pages_[page].hwnd();
    if (!window) return choice;
    const PageControls& ids = kPageControls[page];
    if (ids.month) choice.month = combo::SelectedCode(GetDlgItem(window, ids.month), 0);
    if (ids.day) choice.day = combo::SelectedCode(GetDlgItem(window, ids.day), 0);
    if (ids.n) choice.n = combo::SelectedCode(GetDlgItem(window, ids.n), 0);
    if (ids.weekday) choice.weekday = combo::SelectedCode(GetDlgItem(window, ids.weekday), 0);
    if (ids.direction) choice.direction = combo::SelectedCode(GetDlgItem(window, ids.direction), 0);
    if (ids.count) choice.count = combo::Text(GetDlgItem(window, ids.count));
    if (ids.term) choice.term = SolarTermName(combo::SelectedCode(GetDlgItem(window, ids.term), -1));
    return choice;
}

FestivalEditorForm FestivalEditor::ReadForm() const {
    FestivalEditorForm form;
    form.showReminderWindow = IsDlgButtonChecked(hwnd(), IDC_EDITOR_REMINDER_WINDOW) == BST_CHECKED;
    form.showInForenotice = IsDlgButtonChecked(hwnd(), IDC_EDITOR_FORENOTICE) == BST_CHECKED;
    form.kind = SelectedKey(Item(IDC_EDITOR_KIND), FestivalKindEntries());
    form.calendar = SelectedKey(Item(IDC_EDITOR_CALENDAR), CalendarEntries());
    form.name = DialogItemText(hwnd(), IDC_EDITOR_NAME, form.nameLostCharacters);
    form.startYear = combo::Text(Item(IDC_EDITOR_START_YEAR));
    form.endYear = combo::Text(Item(IDC_EDITOR_END_YEAR));
    form.endMonth = combo::Text(Item(IDC_EDITOR_END_MONTH));
    form.endDay = combo::Text(Item(IDC_EDITOR_END_DAY));
    form.soundFile = DialogItemText(hwnd(), IDC_EDITOR_SOUND_FILE, form.soundFileLostCharacters);
    const int dateForm = combo::SelectedCode(Item(IDC_EDITOR_DATE_FORM), -1);
    if (dateForm >= 0) form.dateForm = std::to_string(dateForm);
    for (int page = 0; page < kDatePageCount; ++page) form.pages[page] = ReadPage(static_cast<DatePage>(page));
    return form;
}

void FestivalEditor::SelectAllOf(int id) {
    SetFocus(Item(id));
    SendMessageW(Item(id), EM_SETSEL, 0, -1);
}

void FestivalEditor::OnOk() {
    FestivalRule edited = rule_;
    const EditorRefusal refusal = ApplyEditorForm(ReadForm(), edited);
    if (refusal == EditorRefusal::kNone) {
        rule_ = edited;
        EndModal(IDOK);
        return;
    }
    ShowMessage(hwnd(), RefusalMessage(refusal), MB_OK | MB_ICONWARNING);
    switch (refusal) {
        case EditorRefusal::kNoKind:
            SetFocus(Item(IDC_EDITOR_KIND));
            break;
        case EditorRefusal::kNoCalendar:
            SetFocus(Item(IDC_EDITOR_CALENDAR));
            break;
        case EditorRefusal::kNoName:
        case EditorRefusal::kNameCharacters:
            SelectAllOf(IDC_EDITOR_NAME);
            break;
        case EditorRefusal::kSoundFileCharacters:
            SelectAllOf(IDC_EDITOR_SOUND_FILE);
            break;
        case EditorRefusal::kTooLong:
            // The longer of the two is the one to shorten.
            SelectAllOf(GetWindowTextLengthW(Item(IDC_EDITOR_SOUND_FILE)) > GetWindowTextLengthW(Item(IDC_EDITOR_NAME))
                            ? IDC_EDITOR_SOUND_FILE
                            : IDC_EDITOR_NAME);
            break;
        default:
            // The first list of the page that is shown.
            if (const HWND page = pages_[shown_].hwnd()) {
                if (const HWND first = GetNextDlgTabItem(page, nullptr, FALSE)) SetFocus(first);
            }
            break;
    }
}
