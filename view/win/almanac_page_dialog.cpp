#include "view/win/almanac_page_dialog.h"

#include <string>
#include <vector>

#include "almanac/generator/almanac_page.h"
#include "base/win/dialog_kit.h"
#include "base/win/dialog_window.h"
#include "base/win/gbk_text.h"
#include "base/win/scoped_win.h"
#include "calendar/gregorian.h"
#include "calendar/lunar_calendar.h"
#include "resources/resource_ids.h"

namespace {

// Dialog units to pixels, horizontally, in the dialog's own font.
int DialogUnitsWide(HWND dialog, int units) {
    RECT r{0, 0, units, 0};
    MapDialogRect(dialog, &r);
    return r.right;
}

class AlmanacPageDialog : public DialogWindow {
public:
    AlmanacPageDialog(HWND owner, int year, int month, int day) : owner_(owner), date_(MakeDate(year, month, day)) {}

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (resizer_.OnMessage(message, wParam, lParam, result)) return true;
        switch (message) {
            case WM_INITDIALOG:
                OnInitDialog();
                // The buttons have the keyboard; focusing the page would
                // select all its text.
                SetFocus(GetDlgItem(hwnd(), IDOK));
                result = FALSE;
                return true;
            case WM_CTLCOLORSTATIC:
                // The page reads as paper, not as a greyed-out field.
                if (reinterpret_cast<HWND>(lParam) != GetDlgItem(hwnd(), IDC_PAGE_TEXT)) return false;
                SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
                SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
                result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
                return true;
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDOK:
                    case IDCANCEL:
                        EndDialog(hwnd(), IDCANCEL);
                        return true;
                    case IDC_PAGE_PREVIOUS:
                        Walk(-1);
                        return true;
                    case IDC_PAGE_NEXT:
                        Walk(1);
                        return true;
                    default:
                        return false;
                }
            default:
                return false;
        }
    }

private:
    void OnInitDialog() {
        CenterOverOwner(hwnd(), owner_);
        ShowInTaskbarWhenAlone(hwnd());
        icons_.SetWindowIcons(hwnd(), IDI_APPLICATION_ICON);
        // The date stands out in the dialog's own font, half as large again
        // (its regular weight: the face's Chinese fallback is found for it).
        LOGFONTW look{};
        const HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
        if (dialogFont && GetObjectW(dialogFont, sizeof look, &look)) {
            look.lfHeight = look.lfHeight * 3 / 2;
            titleFont_.reset(CreateFontIndirectW(&look));
            if (titleFont_) {
                SendDlgItemMessageW(hwnd(), IDC_PAGE_DATE, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), TRUE);
            }
        }
        const HWND hours = GetDlgItem(hwnd(), IDC_PAGE_HOURS);
        list_view::Setup(hours,
                         {{"时辰", DialogUnitsWide(hwnd(), 24)},
                          {"时间", DialogUnitsWide(hwnd(), 26)},
                          {"干支", DialogUnitsWide(hwnd(), 22)},
                          {"值神", DialogUnitsWide(hwnd(), 22)},
                          {"吉凶", DialogUnitsWide(hwnd(), 22)},
                          {"冲", DialogUnitsWide(hwnd(), 36)}},
                         false, nullptr);
        resizer_.Attach(hwnd());
        resizer_.Anchor(IDC_PAGE_DATE, DialogResizer::kGrowRight);
        resizer_.Anchor(IDC_PAGE_LUNAR, DialogResizer::kGrowRight);
        resizer_.Anchor(IDC_PAGE_TEXT, DialogResizer::kGrowRight | DialogResizer::kGrowDown);
        resizer_.Anchor(IDC_PAGE_HOURS, DialogResizer::kMoveRight | DialogResizer::kGrowDown);
        resizer_.Anchor(IDC_PAGE_PREVIOUS, DialogResizer::kMoveDown);
        resizer_.Anchor(IDC_PAGE_NEXT, DialogResizer::kMoveDown);
        resizer_.Anchor(IDOK, DialogResizer::kMoveRight | DialogResizer::kMoveDown);
        ShowPage();
    }

    void Walk(int days) {
        const SystemTime next = AddDays(date_, days);
        if (next.year < kFirstLunarYear || next.year > kLastLunarYear) return;
        date_ = next;
        ShowPage();
    }

    void ShowPage() {
        const almanac_gen::AlmanacPage page = almanac_gen::AlmanacPageOf(date_.year, date_.month, date_.day);
        SetDialogItemText(hwnd(), IDC_PAGE_DATE, page.solarDate);
        SetDialogItemText(hwnd(), IDC_PAGE_LUNAR, "农历" + page.lunarDate + "  " + page.zodiac + "年");
        std::string text;
        for (const auto& [name, value] : almanac_gen::AlmanacPageEntries(page)) {
            if (name == "阳历" || name == "农历") continue;  // in the heading
            text += (text.empty() ? "" : "\r\n") + name + "：" + value;
        }
        SetDialogItemText(hwnd(), IDC_PAGE_TEXT, text);

        const HWND hours = GetDlgItem(hwnd(), IDC_PAGE_HOURS);
        SendMessageW(hours, WM_SETREDRAW, FALSE, 0);
        SendMessageW(hours, LVM_DELETEALLITEMS, 0, 0);
        for (const almanac_gen::AlmanacHour& h : page.hours) {
            list_view::Insert(hours, list_view::Count(hours),
                              {h.name, h.span, h.ganZhi, h.dutyGod, h.lucky ? "吉" : "凶", "冲" + h.clash}, 0);
        }
        SendMessageW(hours, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hours, nullptr, TRUE);

        // The almanac reaches from 1901 to 2099; the walk stops at its ends.
        const SystemTime before = AddDays(date_, -1), after = AddDays(date_, 1);
        EnableWindow(GetDlgItem(hwnd(), IDC_PAGE_PREVIOUS), before.year >= kFirstLunarYear);
        EnableWindow(GetDlgItem(hwnd(), IDC_PAGE_NEXT), after.year <= kLastLunarYear);
    }

    HWND owner_;
    SystemTime date_;
    DialogResizer resizer_;
    DialogIcons icons_;
    ScopedFont titleFont_;
};

}  // namespace

void ShowAlmanacPage(HWND owner, int year, int month, int day) {
    AlmanacPageDialog dialog(owner, year, month, day);
    dialog.RunModal(IDD_ALMANAC_PAGE, owner);
}
