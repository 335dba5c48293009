// The dialog in which one festival rule is added or changed: its kind,
// calendar, date (on one of six date pages), name and the optional end, sound
// and display switches. It works on a copy; the caller takes the rule back
// only when the dialog ends with IDOK.
#pragma once

#include <windows.h>

#include <string>

#include "base/win/dialog_kit.h"
#include "base/win/dialog_window.h"
#include "base/win/session_end_guard.h"
#include "festivals/festival_editor_form.h"

class FestivalEditor : public DialogWindow {
public:
    // `caption` (GBK) replaces the resource's caption: 添加 or 编辑.
    FestivalEditor(FestivalRule rule, std::string caption);

    // IDOK when the user confirmed a complete rule, IDCANCEL otherwise.
    INT_PTR Run(HWND owner);
    const FestivalRule& rule() const { return rule_; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // A date page: a child dialog whose combos the editor reads directly.
    class DatePageWindow : public DialogWindow {
    protected:
        bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override;
    };

    void OnInitDialog();
    void Finish(INT_PTR result);
    void LimitTexts();
    void CreatePages();
    void FillPages(const FestivalEditorForm& form);
    void ShowPage(DatePage page);
    void FollowSelections();
    void ChooseSoundFile();
    void OnOk();
    void SelectAllOf(int id);
    FestivalEditorForm ReadForm() const;
    DatePageChoice ReadPage(DatePage page) const;

    FestivalRule rule_;
    std::string caption_;
    DialogIcons icons_;
    DatePageWindow pages_[kDatePageCount];
    DatePage shown_ = kGregorianDatePage;
    // The user has changed something since the dialog opened.
    bool initialised_ = false;
    bool edited_ = false;
    SessionEndGuard sessionEnd_;
};
