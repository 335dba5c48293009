#include "planning/win/good_day_dialog.h"

#include <utility>

#include "base/gbk_scan.h"
#include "planning/win/planning_dialog_kit.h"
#include "resources/resource_ids.h"

namespace {

// Dialog units, so that the columns grow with the font at every scale.
const PlanningColumn kColumns[] = {
    {"阳历", 44}, {"旧历", 38}, {"星期", 26}, {"值神", 50}, {"冲", 40}, {"宜", 100},
};

}  // namespace

GoodDayDialog::GoodDayDialog(DayInfoSource& days, const HolidaySchedule& schedule, Hooks hooks)
    : days_(days), schedule_(schedule), hooks_(std::move(hooks)) {}

void GoodDayDialog::Open(HWND owner, MessageLoop* loop, const Date& from) {
    if (hwnd()) {
        BringForward(hwnd());
        return;
    }
    from_ = from;
    if (CreateModeless(IDD_GOOD_DAYS, owner, loop)) ShowWindow(hwnd(), SW_SHOW);
}

bool GoodDayDialog::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
    switch (message) {
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        default:
            return false;
    }
}

bool GoodDayDialog::OnInitDialog() {
    // Beside the month, where the days it marks can be seen.
    OpenBesideOwner();
    resizer().Attach(hwnd(), {{IDC_GOOD_LIST, DialogResizer::kGrowRight | DialogResizer::kGrowDown},
                              {IDC_GOOD_SUMMARY, DialogResizer::kGrowRight},
                              {IDC_GOOD_SEARCH, DialogResizer::kMoveRight},
                              {IDC_GOOD_PAGE, DialogResizer::kMoveDown},
                              {IDC_GOOD_CLEAR, DialogResizer::kMoveDown},
                              {IDCANCEL, DialogResizer::kMoveRight | DialogResizer::kMoveDown}});

    std::vector<combo::Item> activities;
    for (const GoodDayActivity& activity : GoodDayActivities()) {
        activities.push_back({activity.name, static_cast<int>(activities.size())});
    }
    combo::Fill(Item(IDC_GOOD_ACTIVITY), activities);
    combo::SelectCode(Item(IDC_GOOD_ACTIVITY), 0);
    std::vector<combo::Item> zodiacs;
    for (const std::string& name : ZodiacNames()) zodiacs.push_back({name, static_cast<int>(zodiacs.size())});
    combo::Fill(Item(IDC_GOOD_ZODIAC), zodiacs);
    combo::SelectCode(Item(IDC_GOOD_ZODIAC), 0);
    EnableWindow(Item(IDC_GOOD_ZODIAC), FALSE);

    SetupDatePicker(hwnd(), IDC_GOOD_FROM, from_);
    SetupDatePicker(hwnd(), IDC_GOOD_TO, DefaultGoodDayEnd(from_));
    SetupPlanningList(hwnd(), IDC_GOOD_LIST, kColumns);
    SetDialogItemText(hwnd(), IDC_GOOD_SUMMARY, "选好事项和日期范围，按「查询」。找到的日子在月历上标出「吉」。");
    return true;
}

bool GoodDayDialog::OnCommand(int id, int /*code*/) {
    switch (id) {
        case IDC_GOOD_SEARCH:
            Search();
            return true;
        case IDOK:
            // Enter: on a selected row of the list its page, else a search.
            if (list_view::EnterOnSelectedRow(Item(IDC_GOOD_LIST))) {
                OpenSelectedPage();
            } else {
                Search();
            }
            return true;
        case IDC_GOOD_NOT_CLASH:
            EnableWindow(Item(IDC_GOOD_ZODIAC), IsDlgButtonChecked(hwnd(), IDC_GOOD_NOT_CLASH) == BST_CHECKED);
            return true;
        case IDC_GOOD_PAGE:
            OpenSelectedPage();
            return true;
        case IDC_GOOD_CLEAR:
            ClearMarks();
            return true;
        case IDCANCEL:
            // Closing takes the marks away with the list they belong to.
            hooks_.mark({});
            Destroy();
            hooks_.closed();
            return true;
        default:
            return false;
    }
}

bool GoodDayDialog::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_GOOD_LIST) return false;
    if (header.code == NM_DBLCLK) {
        OpenSelectedPage();
        return true;
    }
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const bool selected = (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
        if (selected && change.iItem >= 0 && change.iItem < static_cast<int>(found_.size())) {
            hooks_.show(found_[change.iItem].date);
        }
        return true;
    }
    return false;
}

void GoodDayDialog::Search() {
    const std::optional<Date> first = PickedDate(hwnd(), IDC_GOOD_FROM);
    const std::optional<Date> last = PickedDate(hwnd(), IDC_GOOD_TO);
    const std::string problem = GoodDayRangeProblem(*first, *last);
    if (!problem.empty()) {
        ShowMessage(hwnd(), problem + "。", MB_OK | MB_ICONWARNING);
        SetFocus(Item(IDC_GOOD_TO));
        return;
    }
    GoodDayQuery query;
    const int activity = combo::SelectedCode(Item(IDC_GOOD_ACTIVITY), 0);
    query.activity = &GoodDayActivities()[activity];
    query.first = *first;
    query.last = *last;
    if (IsDlgButtonChecked(hwnd(), IDC_GOOD_NOT_CLASH) == BST_CHECKED) {
        query.notClashing = combo::SelectedCode(Item(IDC_GOOD_ZODIAC), 0);
    }
    query.daysOffOnly = IsDlgButtonChecked(hwnd(), IDC_GOOD_DAYS_OFF) == BST_CHECKED;
    query.yellowPathOnly = IsDlgButtonChecked(hwnd(), IDC_GOOD_YELLOW) == BST_CHECKED;

    const HCURSOR wait = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const GoodDaySearch search = FindGoodDays(query, days_, &schedule_);
    SetCursor(wait);
    found_ = search.days;
    const HWND list = Item(IDC_GOOD_LIST);
    ListView_DeleteAllItems(list);
    for (const GoodDay& day : found_) {
        list_view::Insert(list, list_view::Count(list), GoodDayColumns(day), 0);
    }
    list_view::FitColumns(list);

    std::vector<Date> dates;
    for (const GoodDay& day : found_) dates.push_back(day.date);
    hooks_.mark(dates);
    const long long rangeDays = *last - *first + 1;
    std::string summary;
    if (search.daysWithoutAlmanac == rangeDays) {
        summary = "读不到黄历数据库（Ostrel\\Database\\china.mdb），无法查询。";
    } else if (found_.empty()) {
        summary = query.activity->name + "：" + first->ToString() + " 至 " + last->ToString() + " 没有合适的日子。";
    } else {
        summary = query.activity->name + "：" + first->ToString() + " 至 " + last->ToString() + " 共" +
                  std::to_string(found_.size()) + "天，已在月历上标出「吉」。双击一天查看它的黄历。";
    }
    SetDialogItemText(hwnd(), IDC_GOOD_SUMMARY, summary);
}

void GoodDayDialog::ClearMarks() {
    hooks_.mark({});
    list_view::Select(Item(IDC_GOOD_LIST), -1);
    SetDialogItemText(hwnd(), IDC_GOOD_SUMMARY, "标记已清除；再按「查询」可重新标出。");
}

const GoodDay* GoodDayDialog::SelectedDay() const {
    const int row = list_view::Selected(Item(IDC_GOOD_LIST));
    return row >= 0 && row < static_cast<int>(found_.size()) ? &found_[row] : nullptr;
}

void GoodDayDialog::OpenSelectedPage() {
    const GoodDay* day = SelectedDay();
    if (!day) {
        ShowMessage(hwnd(), "请先在列表中选中一天。", MB_OK | MB_ICONINFORMATION);
        return;
    }
    hooks_.openPage(hwnd(), day->date);
}
