#include "planning/win/go_to_date_dialog.h"

#include <string>
#include <vector>

#include "base/win/dialog_kit.h"
#include "base/win/dialog_window.h"
#include "base/win/gbk_text.h"
#include "planning/date_lookup.h"
#include "planning/go_to_form.h"
#include "resources/resource_ids.h"

namespace {

void FillList(HWND combo, const ListItems& items) {
    std::vector<combo::Item> coded;
    for (const std::string& text : items.texts) coded.push_back({text, static_cast<int>(coded.size())});
    combo::Fill(combo, coded);
    combo::SelectCode(combo, items.selected);
}

class GoToDateDialog : public DialogWindow {
public:
    GoToDateDialog(const Date& start, const Date& today) : today_(today), choice_(ChoiceOf(start, DateInput::kSolar)) {}

    std::optional<Date> Run(HWND owner) {
        if (RunModal(IDD_GO_TO_DATE, owner) != IDOK) return std::nullopt;
        return chosen_;
    }

protected:
    bool OnInitDialog() override {
        CheckRadioButton(hwnd(), IDC_GOTO_SOLAR, IDC_GOTO_LUNAR, IDC_GOTO_SOLAR);
        SetDialogItemText(hwnd(), IDC_GOTO_FROM, today_.ToString());
        SetDialogItemText(hwnd(), IDC_GOTO_OFFSET, "100");
        Show();
        return true;
    }

    bool OnCommand(int id, int code) override {
        switch (id) {
            case IDC_GOTO_SOLAR:
            case IDC_GOTO_LUNAR: {
                const DateInput wanted = id == IDC_GOTO_LUNAR ? DateInput::kLunar : DateInput::kSolar;
                if (code == BN_CLICKED && wanted != choice_.input) {
                    choice_ = SwitchInput(choice_, today_);
                    Show();
                }
                return true;
            }
            case IDC_GOTO_YEAR:
            case IDC_GOTO_MONTH:
            case IDC_GOTO_DAY:
                if (code == CBN_SELCHANGE) {
                    const int index = combo::SelectedCode(Item(id), 0);
                    choice_ = id == IDC_GOTO_YEAR    ? PickYear(choice_, index)
                              : id == IDC_GOTO_MONTH ? PickMonth(choice_, index)
                                                     : PickDay(choice_, index);
                    Show();
                }
                return true;
            case IDC_GOTO_YEARS:
                if (code == LBN_DBLCLK) GoToListedYear();
                return true;
            case IDC_GOTO_FROM:
                if (code == EN_CHANGE) ShowBetween();
                return true;
            case IDC_GOTO_COMPUTE:
                Compute();
                return true;
            case IDOK:
                if (GetFocus() == Item(IDC_GOTO_YEARS)) {
                    GoToListedYear();
                } else if (GetFocus() == Item(IDC_GOTO_OFFSET) || GetFocus() == Item(IDC_GOTO_FROM)) {
                    Compute();  // Enter in the arithmetic fields computes
                } else {
                    Finish(DateToGoTo(choice_, today_));
                }
                return true;
            default:
                return false;
        }
    }

private:
    // The three lists, the result and the coming years, from the choice.
    void Show() {
        CheckRadioButton(hwnd(), IDC_GOTO_SOLAR, IDC_GOTO_LUNAR,
                         choice_.input == DateInput::kLunar ? IDC_GOTO_LUNAR : IDC_GOTO_SOLAR);
        FillList(Item(IDC_GOTO_YEAR), YearItems(choice_));
        FillList(Item(IDC_GOTO_MONTH), MonthItems(choice_));
        FillList(Item(IDC_GOTO_DAY), DayItems(choice_));
        SetDialogItemText(hwnd(), IDC_GOTO_RESULT, ChoiceText(choice_, today_));
        const HWND years = Item(IDC_GOTO_YEARS);
        SendMessageW(years, LB_RESETCONTENT, 0, 0);
        coming_.clear();
        const std::vector<std::string> texts = ComingYearsTexts(choice_, today_);
        const std::vector<LunarYearDate> dates =
            texts.empty() ? std::vector<LunarYearDate>() : NextLunarDates(choice_.month, choice_.day, today_, 10);
        for (size_t i = 0; i < texts.size(); ++i) {
            SendMessageW(years, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromGbk(texts[i]).c_str()));
            coming_.push_back(i < dates.size() ? dates[i].date : std::nullopt);
        }
        EnableWindow(years, !texts.empty());
        ShowBetween();
    }

    void ShowBetween() { SetDialogItemText(hwnd(), IDC_GOTO_BETWEEN, BetweenText(FromText(), choice_, today_)); }

    std::string FromText() const { return DialogItemText(hwnd(), IDC_GOTO_FROM); }

    void Compute() {
        const DateOffset offset = OffsetDate(FromText(), DialogItemText(hwnd(), IDC_GOTO_OFFSET));
        if (!offset.date) {
            ShowMessage(hwnd(), offset.problem + "。", MB_OK | MB_ICONWARNING);
            return;
        }
        choice_ = ChoiceOf(*offset.date, choice_.input);
        Show();
    }

    void GoToListedYear() {
        const LRESULT row = SendMessageW(Item(IDC_GOTO_YEARS), LB_GETCURSEL, 0, 0);
        if (row < 0 || row >= static_cast<LRESULT>(coming_.size())) return;
        if (!coming_[static_cast<size_t>(row)]) {
            ShowMessage(hwnd(), "这一年的这个月没有这一天。", MB_OK | MB_ICONINFORMATION);
            return;
        }
        Finish(coming_[static_cast<size_t>(row)]);
    }

    void Finish(const std::optional<Date>& date) {
        if (!date) {
            ShowMessage(hwnd(), "这一天不在日历的范围（1901年至2099年）之内。", MB_OK | MB_ICONINFORMATION);
            return;
        }
        chosen_ = date;
        EndModal(IDOK);
    }

    Date today_;
    DateChoice choice_;
    std::optional<Date> chosen_;
    std::vector<std::optional<Date>> coming_;  // the dates of the list's rows
};

}  // namespace

std::optional<Date> RunGoToDateDialog(HWND owner, const Date& start, const Date& today) {
    GoToDateDialog dialog(start, today);
    return dialog.Run(owner);
}
