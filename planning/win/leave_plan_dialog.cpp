#include "planning/win/leave_plan_dialog.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "planning/win/planning_dialog_kit.h"
#include "resources/resource_ids.h"

namespace {

const PlanningColumn kColumns[] = {{"假期", 56}, {"方案", 220}};

constexpr char kHowToRead[] = "选中一个方案，月历上用「假」标出要请假的日子，浅蓝色标出连休的每一天。";

}  // namespace

LeavePlanDialog::LeavePlanDialog(const HolidaySchedule& schedule, Hooks hooks)
    : schedule_(schedule), hooks_(std::move(hooks)) {}

void LeavePlanDialog::Open(HWND owner, MessageLoop* loop, int year) {
    year_ = year;
    if (hwnd()) {
        FillYears();
        Plan();
        BringForward(hwnd());
        return;
    }
    if (CreateModeless(IDD_LEAVE_PLAN, owner, loop)) ShowWindow(hwnd(), SW_SHOW);
}

bool LeavePlanDialog::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
    switch (message) {
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.idFrom != IDC_LEAVE_LIST || header.code != LVN_ITEMCHANGED) return false;
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED)) OnRowSelected(change.iItem);
            return true;
        }
        default:
            return false;
    }
}

bool LeavePlanDialog::OnInitDialog() {
    // Beside the month, where the days it marks can be seen.
    OpenBesideOwner();
    resizer().Attach(hwnd(), {{IDC_LEAVE_LIST, DialogResizer::kGrowRight | DialogResizer::kGrowDown},
                              {IDC_LEAVE_STATUS, DialogResizer::kGrowRight},
                              {IDC_LEAVE_CLEAR, DialogResizer::kMoveDown},
                              {IDCANCEL, DialogResizer::kMoveRight | DialogResizer::kMoveDown}});
    std::vector<combo::Item> most;
    for (int days = 1; days <= kMaxLeaveDays; ++days) most.push_back({std::to_string(days) + "天", days});
    combo::Fill(Item(IDC_LEAVE_MAX), most);
    combo::SelectCode(Item(IDC_LEAVE_MAX), kMaxLeaveDays);
    SetupPlanningList(hwnd(), IDC_LEAVE_LIST, kColumns);
    FillYears();
    Plan();
    return true;
}

// The years the schedule holds, and this year and the next, whose notice
// may not be out yet: choosing one plans from the law's days and says so.
void LeavePlanDialog::FillYears() {
    std::vector<int> years = schedule_.CoveredYears();
    const int thisYear = hooks_.today().year();
    for (const int year : {thisYear, thisYear + 1, year_}) {
        if (std::find(years.begin(), years.end(), year) == years.end()) years.push_back(year);
    }
    std::sort(years.begin(), years.end());
    std::vector<combo::Item> items;
    for (const int year : years) items.push_back({std::to_string(year) + "年", year});
    combo::Fill(Item(IDC_LEAVE_YEAR), items);
    combo::SelectCode(Item(IDC_LEAVE_YEAR), year_);
}

bool LeavePlanDialog::OnCommand(int id, int code) {
    switch (id) {
        case IDC_LEAVE_YEAR:
        case IDC_LEAVE_MAX:
            if (code == CBN_SELCHANGE) {
                year_ = combo::SelectedCode(Item(IDC_LEAVE_YEAR), year_);
                Plan();
            }
            return true;
        case IDC_LEAVE_CLEAR:
            list_view::Select(Item(IDC_LEAVE_LIST), -1);
            hooks_.mark(nullptr);
            return true;
        case IDOK:
            return true;  // Enter changes nothing; the selection already shows
        case IDCANCEL:
            hooks_.mark(nullptr);
            Destroy();
            hooks_.closed();
            return true;
        default:
            return false;
    }
}

void LeavePlanDialog::Plan() {
    const int most = combo::SelectedCode(Item(IDC_LEAVE_MAX), kMaxLeaveDays);
    plans_ = PlanLeave(schedule_, year_, most);
    rows_.clear();
    hooks_.mark(nullptr);
    const HWND list = Item(IDC_LEAVE_LIST);
    ListView_DeleteAllItems(list);
    for (const HolidayLeavePlans& holiday : plans_.holidays) {
        for (const LeavePlan& plan : holiday.plans) {
            list_view::Insert(list, list_view::Count(list), {holiday.holiday.name, LeavePlanText(plan, year_)}, 0);
            rows_.push_back(&plan);
        }
    }
    list_view::FitColumns(list);
    std::string status = kHowToRead;
    if (plans_.fromStatutoryDays) status = LeaveFromStatutoryDaysText(year_) + "。" + status;
    if (!plans_.published && !plans_.fromStatutoryDays) status = LeaveNotPublishedText(year_) + "。";
    SetDialogItemText(hwnd(), IDC_LEAVE_STATUS, status);
}

void LeavePlanDialog::OnRowSelected(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    hooks_.mark(rows_[row]);
}
