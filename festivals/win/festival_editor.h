// The dialog in which one festival rule is added or changed: its kind,
// calendar, date (on one of six date pages), name and the optional end, sound
// and display switches. It works on a copy; the caller takes the rule back
// only when the dialog ends with IDOK.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "base/win/dialog_window.h"
#include "calendar/date.h"
#include "festivals/festival_editor_form.h"

class FestivalEditor : public DialogWindow {
public:
    // `caption` (GBK) replaces the resource's caption: 添加 or 编辑. The hint
    // beside the date, and a date carried across when the calendar is
    // switched, speak of `day` (the day clicked; none: today).
    FestivalEditor(FestivalRule rule, std::string caption, std::optional<Date> day = std::nullopt);

    // True when the user confirmed a complete rule; rule() then holds it.
    bool Run(HWND owner);
    const FestivalRule& rule() const { return rule_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // A date page: a child dialog whose combos the editor reads directly. It
    // tells the editor when a choice changes, so that the hint follows.
    class DatePageWindow : public DialogWindow {
    protected:
        bool OnInitDialog() override { return false; }
        bool OnCommand(int id, int code) override;
    };

    void LimitTexts();
    void CreatePages();
    void FillPages(const FestivalEditorForm& form);
    void FillPage(DatePage page, const DatePageChoice& choice);
    // The day the hint and a carried date speak of.
    Date ReferenceDay() const;
    void ShowPage(DatePage page);
    void FollowSelections();
    // The date of the shown page in the other calendar, beside the calendar list.
    void ShowDateHint();
    void ChooseSoundFile();
    void OnOk();
    void SelectAllOf(int id);
    FestivalEditorForm ReadForm() const;
    DatePageChoice ReadPage(DatePage page) const;

    FestivalRule rule_;
    std::string caption_;
    std::optional<Date> day_;
    DatePageWindow pages_[kDatePageCount];
    DatePage shown_ = kGregorianDatePage;
};
