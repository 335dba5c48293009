#include "festivals/festival_manager_model.h"

#include <utility>

#include "calendar/lunar_calendar.h"
#include "festivals/festival_description.h"

FestivalManagerRequest TrayManagerRequest(bool addMode) {
    FestivalManagerRequest request;
    request.addMode = addMode;
    return request;
}

FestivalManagerRequest DayManagerRequest(int year, int month, int day, bool lunar, bool leapMonth) {
    FestivalManagerRequest request;
    request.addMode = true;
    request.calendar = lunar ? kLunarCalendar : kGregorianCalendar;
    request.kind = lunar ? kBirthdayKind : kFestivalKind;
    request.dateRule = FixedDateRuleCode(month, day, lunar && leapMonth);
    request.day = lunar ? DateOfLunar(LunarDate{year, month, day, lunar && leapMonth ? 1 : 0})
                        : Date::FromCivil(year, month, day);
    return request;
}

FestivalRule NewFestivalRule(const FestivalManagerRequest& request) {
    FestivalRule rule;
    rule.calendar = request.calendar;
    rule.kind = request.kind;
    rule.dateRule = request.dateRule;
    rule.showInForenotice = "1";
    rule.showReminderWindow = "1";
    return rule;
}

std::vector<std::string> FestivalRowCells(const FestivalRule& rule) {
    const FestivalRule row = DescribeFestival(rule);
    return {row.kind, row.calendar, row.name, row.dateRule, row.startYear, row.endDate, row.soundFile};
}

FestivalManagerModel::FestivalManagerModel(const FestivalList& rules) {
    rows_.reserve(rules.size());
    for (const FestivalRule& rule : rules) rows_.push_back({rule, IsSwitchedOn(rule)});
}

void FestivalManagerModel::Select(int row) { selected_ = row >= 0 && row < size() ? row : -1; }

void FestivalManagerModel::SetChecked(int row, bool checked) {
    if (row < 0 || row >= size() || rows_[row].checked == checked) return;
    rows_[row].checked = checked;
    modified_ = true;
}

void FestivalManagerModel::PutFileRulesFirst(const FestivalList& rules) {
    const FestivalManagerModel fromFile(rules);
    rows_.insert(rows_.begin(), fromFile.rows_.begin(), fromFile.rows_.end());
    if (selected_ >= 0) selected_ += static_cast<int>(rules.size());
    modified_ = true;
}

int FestivalManagerModel::Add(const FestivalRule& rule) {
    const int at = selected_ >= 0 ? selected_ : 0;
    Row row{rule, true};
    row.rule.enabled = "1";
    rows_.insert(rows_.begin() + at, row);
    selected_ = at;
    modified_ = true;
    return at;
}

bool FestivalManagerModel::EditSelected(const FestivalRule& rule) {
    if (selected_ < 0) return false;
    rows_[selected_].rule = rule;
    modified_ = true;
    return true;
}

bool FestivalManagerModel::DeleteSelected() {
    if (selected_ < 0) return false;
    rows_.erase(rows_.begin() + selected_);
    if (selected_ >= size()) selected_ = size() - 1;
    modified_ = true;
    return true;
}

RowMove FestivalManagerModel::MoveSelectedUp() { return Swap(-1); }
RowMove FestivalManagerModel::MoveSelectedDown() { return Swap(1); }

RowMove FestivalManagerModel::Swap(int offset) {
    if (selected_ < 0) return RowMove::kNoSelection;
    const int neighbour = selected_ + offset;
    if (neighbour < 0 || neighbour >= size()) return RowMove::kAtEdge;
    std::swap(rows_[selected_], rows_[neighbour]);
    selected_ = neighbour;
    modified_ = true;
    return RowMove::kMoved;
}

FestivalList FestivalManagerModel::ForSaving() const {
    FestivalList list;
    list.reserve(rows_.size());
    for (const Row& row : rows_) {
        list.push_back(row.rule);
        // What the file held stays as it was ("", "1", "yes" ...) unless the
        // user changed the box.
        if (row.checked != IsSwitchedOn(row.rule)) list.back().enabled = row.checked ? "1" : "0";
    }
    return list;
}
