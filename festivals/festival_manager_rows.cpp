#include "festivals/festival_manager_rows.h"

#include <utility>

#include "festivals/festival_description.h"

FestivalManagerPreset TrayManagerPreset(bool quickAdd) {
    FestivalManagerPreset preset;
    preset.quickAdd = quickAdd;
    return preset;
}

FestivalManagerPreset DayManagerPreset(int year, int month, int day, bool lunar, bool leapMonth) {
    FestivalManagerPreset preset;
    preset.quickAdd = true;
    preset.calendar = lunar ? kLunarCalendar : kGregorianCalendar;
    preset.dateRule = FixedDateRuleCode(month, day, lunar && leapMonth);
    preset.year = year;
    return preset;
}

FestivalRule NewFestivalRule(const FestivalManagerPreset& preset) {
    FestivalRule rule;
    rule.calendar = preset.calendar;
    rule.kind = kBirthdayKind;
    rule.dateRule = preset.dateRule;
    rule.showInForenotice = "1";
    rule.showReminderWindow = "1";
    return rule;
}

std::vector<std::string> FestivalRowCells(const FestivalRule& rule) {
    const FestivalRule row = DescribeFestival(rule);
    return {row.kind, row.calendar, row.name, row.dateRule, row.startYear, row.endDate, row.soundFile};
}

FestivalRows::FestivalRows(const FestivalList& rules) {
    rows_.reserve(rules.size());
    for (const FestivalRule& rule : rules) rows_.push_back({rule, IsSwitchedOn(rule)});
}

void FestivalRows::Select(int row) { selected_ = row >= 0 && row < size() ? row : -1; }

void FestivalRows::SetChecked(int row, bool checked) {
    if (row < 0 || row >= size() || rows_[row].checked == checked) return;
    rows_[row].checked = checked;
    modified_ = true;
}

void FestivalRows::PutFileRulesFirst(const FestivalList& rules) {
    const FestivalRows fromFile(rules);
    rows_.insert(rows_.begin(), fromFile.rows_.begin(), fromFile.rows_.end());
    if (selected_ >= 0) selected_ += static_cast<int>(rules.size());
    modified_ = true;
}

int FestivalRows::Add(const FestivalRule& rule) {
    const int at = selected_ >= 0 ? selected_ : 0;
    Row row{rule, true};
    row.rule.enabled = "1";
    rows_.insert(rows_.begin() + at, row);
    selected_ = at;
    modified_ = true;
    return at;
}

bool FestivalRows::EditSelected(const FestivalRule& rule) {
    if (selected_ < 0) return false;
    rows_[selected_].rule = rule;
    modified_ = true;
    return true;
}

bool FestivalRows::DeleteSelected() {
    if (selected_ < 0) return false;
    rows_.erase(rows_.begin() + selected_);
    if (selected_ >= size()) selected_ = size() - 1;
    modified_ = true;
    return true;
}

RowMove FestivalRows::MoveSelectedUp() { return Swap(-1); }
RowMove FestivalRows::MoveSelectedDown() { return Swap(1); }

RowMove FestivalRows::Swap(int offset) {
    if (selected_ < 0) return RowMove::kNoSelection;
    const int neighbour = selected_ + offset;
    if (neighbour < 0 || neighbour >= size()) return RowMove::kAtEdge;
    std::swap(rows_[selected_], rows_[neighbour]);
    selected_ = neighbour;
    modified_ = true;
    return RowMove::kMoved;
}

FestivalList FestivalRows::ForSaving() const {
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
