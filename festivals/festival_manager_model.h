// The festival manager's working copy: the rules in file order, each with its
// check box, the selected row and whether anything was changed. The window
// shows these rows; every rule of what the user does lives here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/list_file_messages.h"
#include "calendar/date.h"
#include "festivals/festival_rule.h"

// How the manager's messages speak of the festival file: its entries are
// festivals, and what a load can skip is a line.
inline constexpr ListFileWords kFestivalFileWords{"节日", "行", kFestivalFileLimit};

// How the manager is opened: from the tray to manage or to add, or from a day
// of the month to add a festival on that day.
struct FestivalManagerRequest {
    bool addMode = false;
    std::string calendar = kGregorianCalendar;  // of a new rule
    std::string kind = kBirthdayKind;           // of a new rule
    std::string dateRule = "1-1";               // of a new rule
    // The clicked day, of which the editor's hint speaks and whose date it
    // keeps when the calendar is switched; none: today.
    std::optional<Date> day;
};

FestivalManagerRequest TrayManagerRequest(bool addMode);
// `month` and `day` of the clicked date in `year`, lunar ones when `lunar`
// (of the year's leap month when `leapMonth`). 添加阳历节日... adds a
// festival, as it says; 添加旧历节日... a birthday, the lunar date people
// keep most.
FestivalManagerRequest DayManagerRequest(int year, int month, int day, bool lunar, bool leapMonth = false);

// A new rule of the requested kind (a birthday from the tray) on the requested
// date, listed among the coming days and announced in the notification window.
FestivalRule NewFestivalRule(const FestivalManagerRequest& request);

// The seven columns of a row: kind, calendar, name, date in words, start
// year, end date, sound file.
std::vector<std::string> FestivalRowCells(const FestivalRule& rule);

enum class RowMove { kMoved, kNoSelection, kAtEdge };

class FestivalManagerModel {
public:
    // Rows checked where the calendar takes the rule as on: any `enabled`
    // but "0", an empty one too.
    explicit FestivalManagerModel(const FestivalList& rules);

    int size() const { return static_cast<int>(rows_.size()); }
    const FestivalRule& rule(int row) const { return rows_[row].rule; }
    bool checked(int row) const { return rows_[row].checked; }
    int selected() const { return selected_; }
    bool modified() const { return modified_; }

    // Follows the user's clicks. Selecting is no change; a check box that
    // changes state is one, as any edit.
    void Select(int row);
    void SetChecked(int row, bool checked);

    // Inserts a checked row above the selected one (at the top when none is
    // selected) and selects it; returns its index.
    int Add(const FestivalRule& rule);
    // Replaces the selected row's rule; its check box stays as it was. False
    // when no row is selected.
    bool EditSelected(const FestivalRule& rule);
    // Removes the selected row and selects the one now at its place, or the
    // new last row. False when no row is selected.
    bool DeleteSelected();
    // Swaps the selected row with its neighbour, check box and all; the
    // selection moves with it.
    RowMove MoveSelectedUp();
    RowMove MoveSelectedDown();

    // The file's rules, read again after they could not be read when the rows
    // were filled, go above every row (all of them the user's new ones); the
    // rows then differ from the file. The selection moves with its row.
    void PutFileRulesFirst(const FestivalList& rules);

    // The rules as they are saved: `enabled` as it was read unless the box was
    // changed, then "1" for a checked row and "0" for an unchecked one.
    FestivalList ForSaving() const;

private:
    struct Row {
        FestivalRule rule;
        bool checked = false;
    };
    RowMove Swap(int offset);

    std::vector<Row> rows_;
    int selected_ = -1;
    bool modified_ = false;
};
