#include "festivals/win/festival_manager.h"

#include <memory>
#include <optional>
#include <utility>

#include "base/win/list_file_manager.h"
#include "festivals/festival_file.h"
#include "festivals/win/festival_editor.h"
#include "resources/resource_ids.h"

namespace {

const char kNothingToMove[] = "请先选择一个项。";

class FestivalManager : public ListFileManager {
public:
    FestivalManager(std::filesystem::path festivalFile, FestivalManagerRequest request)
        : ListFileManager(std::move(festivalFile), ManagerLayout(), request.addMode), request_(std::move(request)) {}

protected:
    bool Load(const std::filesystem::path& file, FileBaseline& loaded) override {
        FestivalList rules;
        const bool read = LoadFestivals(file, rules, &loaded);
        rows_ = std::make_unique<FestivalManagerModel>(rules);
        return read;
    }
    bool Save(const std::filesystem::path& file, const FileBaseline& loaded, std::filesystem::path& backup) override {
        return SaveFestivals(file, rows_->ForSaving(), &loaded, &backup);
    }
    bool TakeFileRowsFirst(const std::filesystem::path& file, FileBaseline& loaded) override {
        FestivalList fileRules;
        if (!LoadFestivals(file, fileRules, &loaded)) return false;
        rows_->PutFileRulesFirst(fileRules);
        return true;
    }
    int RowCount() const override { return rows_->size(); }
    std::vector<std::string> RowCells(int row) const override { return FestivalRowCells(rows_->rule(row)); }
    bool RowChecked(int row) const override { return rows_->checked(row); }
    bool Modified() const override { return rows_ && rows_->modified(); }

    // Above the selected row, or at the top.
    int AddRow() override {
        FestivalEditor editor(NewFestivalRule(request_), "添加", request_.day);
        const RowEditorOpen open(*this, editor);
        if (!editor.Run(hwnd())) return -1;
        added_ = editor.rule();
        return rows_->Add(*added_);
    }
    int AddAgain() override { return added_ ? rows_->Add(*added_) : -1; }
    bool EditRow(int row) override {
        FestivalEditor editor(rows_->rule(row), "编辑");
        const RowEditorOpen open(*this, editor);
        return editor.Run(hwnd()) && rows_->EditSelected(editor.rule());
    }
    int DeleteRow(int) override {
        rows_->DeleteSelected();
        return rows_->selected();
    }

    void TakeListState() override {
        for (int row = 0; row < rows_->size(); ++row) rows_->SetChecked(row, list_view::Checked(List(), row));
        rows_->Select(list_view::Selected(List()));
    }

    void OnInitExtras() override {
        resizer().Anchor(IDC_FESTIVAL_UP, DialogResizer::kMoveRight);
        resizer().Anchor(IDC_FESTIVAL_DOWN, DialogResizer::kMoveRight);
        icons().SetButtonIcon(hwnd(), IDC_FESTIVAL_UP, IDI_BUTTON_UP);
        icons().SetButtonIcon(hwnd(), IDC_FESTIVAL_DOWN, IDI_BUTTON_DOWN);
    }

    bool OnCommand(int id, int code) override {
        if (code == BN_CLICKED && (id == IDC_FESTIVAL_UP || id == IDC_FESTIVAL_DOWN)) {
            Move(id == IDC_FESTIVAL_UP);
            return true;
        }
        return ListFileManager::OnCommand(id, code);
    }

private:
    static Layout ManagerLayout() {
        return Layout{IDD_FESTIVAL_MANAGER,
                      kFestivalFileWords,
                      {IDC_MANAGER_LIST, IDI_FESTIVAL_ROW},
                      {IDC_MANAGER_ADD, IDI_BUTTON_ADD},
                      {IDC_MANAGER_EDIT, IDI_BUTTON_EDIT},
                      {IDC_MANAGER_DELETE, IDI_BUTTON_DELETE},
                      IDI_BUTTON_SAVE,
                      {{"类型", 80},
                       {"日期类型", 80},
                       {"名称", 120},
                       {"日期", 150},
                       {"开始年份", 80},
                       {"结束日期", 100},
                       {"音乐", 90}},
                      true};
    }

    void Move(bool up) {
        TakeListState();
        const int from = rows_->selected();
        switch (up ? rows_->MoveSelectedUp() : rows_->MoveSelectedDown()) {
            case RowMove::kNoSelection:
                ShowMessage(hwnd(), kNothingToMove, MB_OK | MB_ICONWARNING);
                return;
            case RowMove::kAtEdge:
                list_view::FocusList(List());
                return;
            case RowMove::kMoved:
                break;
        }
        ShowRow(from);
        ShowRow(rows_->selected());
        list_view::Select(List(), rows_->selected());
        list_view::FocusList(List());
    }

    FestivalManagerRequest request_;
    std::unique_ptr<FestivalManagerModel> rows_;
    std::optional<FestivalRule> added_;  // the last rule confirmed in the add editor
};

}  // namespace

bool RunFestivalManager(HWND owner, const std::filesystem::path& festivalFile, const FestivalManagerRequest& request) {
    FestivalManager manager(festivalFile, request);
    return manager.Run(owner) == ListFileManager::kSaved;
}
