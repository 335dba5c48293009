#include "view/win/almanac_page_dialog.h"

#include <algorithm>
#include <string>
#include <vector>

#include "almanac/almanac_page.h"
#include "base/gbk_scan.h"
#include "base/item_lines.h"
#include "base/win/dialog_kit.h"
#include "base/win/dialog_window.h"
#include "base/win/gbk_text.h"
#include "base/win/scoped_win.h"
#include "calendar/lunar_calendar.h"
#include "resources/resource_ids.h"

namespace {

// A font of the dialog's face, `num`/`den` times its size.
HFONT ScaledDialogFont(HWND dialog, int num, int den, bool bold) {
    LOGFONTW look{};
    const HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (!dialogFont || !GetObjectW(dialogFont, sizeof look, &look)) return nullptr;
    look.lfHeight = look.lfHeight * num / den;
    if (bold) look.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&look);
}

// The columns of the 时辰 table.
constexpr const char* kHourColumns[] = {"时辰", "时间", "干支", "值神", "吉凶", "冲"};

// 宜 in green and 忌 in red, as printed almanacs colour them.
constexpr COLORREF kYiColour = RGB(0, 112, 48);
constexpr COLORREF kJiColour = RGB(176, 16, 16);

// A control's rectangle in its dialog's client coordinates.
RECT RectInDialog(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Measures texts in a text box's own font, the way it draws them.
class BoxFont {
public:
    explicit BoxFont(HWND box) : box_(box), dc_(GetDC(box)) {
        const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0));
        if (dc_ && font) old_ = SelectObject(dc_, font);
        TEXTMETRICW metrics{};
        if (dc_ && GetTextMetricsW(dc_, &metrics)) lineHeight_ = metrics.tmHeight;
    }
    ~BoxFont() {
        if (old_) SelectObject(dc_, old_);
        if (dc_) ReleaseDC(box_, dc_);
    }
    BoxFont(const BoxFont&) = delete;
    BoxFont& operator=(const BoxFont&) = delete;

    int Width(std::string_view gbk) const {
        const std::wstring text = WideFromGbk(gbk);
        SIZE size{};
        if (!dc_ || !GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size)) return 0;
        return size.cx;
    }
    int lineHeight() const { return lineHeight_; }

private:
    HWND box_;
    HDC dc_;
    HGDIOBJ old_ = nullptr;
    int lineHeight_ = 16;
};

// The width a text box gives its lines: its formatting rectangle, less a
// pixel or two that its own wrapping may count differently.
int LineWidthOf(HWND box) {
    RECT format{};
    SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    return std::max<int>(1, format.right - format.left - 2);
}

// Entries as lines of their box, broken between items only.
std::string BoxText(HWND box, const std::vector<std::pair<std::string, std::vector<std::string>>>& entries,
                    int& lineCount) {
    const BoxFont font(box);
    const int width = LineWidthOf(box);
    std::string text;
    lineCount = 0;
    for (const auto& [lead, items] : entries) {
        for (const std::string& line :
             LinesBetweenItems(lead, items, width, [&font](std::string_view t) { return font.Width(t); })) {
            text += (text.empty() ? "" : "\r\n") + line;
            ++lineCount;
        }
    }
    return text;
}

std::vector<std::string> ItemsOf(const std::string& list) {
    std::vector<std::string> items;
    for (std::string& item : SplitGbk(list, ' ')) {
        if (!item.empty()) items.push_back(std::move(item));
    }
    return items;
}

class AlmanacPageDialog : public DialogWindow {
public:
    explicit AlmanacPageDialog(const Date& date) : date_(date) {}

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message != WM_CTLCOLORSTATIC) return false;
        const HWND control = reinterpret_cast<HWND>(lParam);
        COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
        if (control == Item(IDC_PAGE_YI)) {
            ink = kYiColour;
        } else if (control == Item(IDC_PAGE_JI)) {
            ink = kJiColour;
        } else if (control != Item(IDC_PAGE_TEXT)) {
            return false;
        }
        // The page reads as paper, not as a greyed-out field.
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        SetTextColor(reinterpret_cast<HDC>(wParam), ink);
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        return true;
    }

    bool OnCommand(int id, int) override {
        switch (id) {
            case IDOK:
                EndModal(IDCANCEL);
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
    }

    bool OnInitDialog() override {
        // The date stands out in the dialog's own face, half as large again
        // (its regular weight: the face's Chinese fallback is found for it);
        // 宜 and 忌, what the page is opened for, a third larger and bold.
        titleFont_.reset(ScaledDialogFont(hwnd(), 3, 2, false));
        listsFont_.reset(ScaledDialogFont(hwnd(), 4, 3, true));
        if (titleFont_) SendDlgItemMessageW(hwnd(), IDC_PAGE_DATE, WM_SETFONT, FontParam(titleFont_), TRUE);
        if (listsFont_) {
            SendDlgItemMessageW(hwnd(), IDC_PAGE_YI, WM_SETFONT, FontParam(listsFont_), TRUE);
            SendDlgItemMessageW(hwnd(), IDC_PAGE_JI, WM_SETFONT, FontParam(listsFont_), TRUE);
        }
        std::vector<list_view::Column> columns;
        for (const char* title : kHourColumns) columns.push_back({title, 64});
        list_view::Setup(Item(IDC_PAGE_HOURS), columns, false, nullptr);
        ShowPage();
        WidenForHours();
        resizer().Attach(hwnd());
        resizer().Anchor(IDC_PAGE_DATE, DialogResizer::kGrowRight);
        resizer().Anchor(IDC_PAGE_LUNAR, DialogResizer::kGrowRight);
        resizer().Anchor(IDC_PAGE_YI, DialogResizer::kGrowRight);
        resizer().Anchor(IDC_PAGE_JI, DialogResizer::kGrowRight);
        resizer().Anchor(IDC_PAGE_TEXT, DialogResizer::kGrowRight | DialogResizer::kGrowDown);
        resizer().Anchor(IDC_PAGE_HOURS, DialogResizer::kMoveRight | DialogResizer::kGrowDown);
        resizer().Anchor(IDC_PAGE_PREVIOUS, DialogResizer::kMoveDown);
        resizer().Anchor(IDC_PAGE_NEXT, DialogResizer::kMoveDown);
        resizer().Anchor(IDOK, DialogResizer::kMoveRight | DialogResizer::kMoveDown);
        resizable_ = true;
        FitBoxes();
        // The buttons have the keyboard; focusing the page would select all
        // its text.
        SetFocus(Item(IDOK));
        return false;
    }

    void OnResized() override { FitBoxes(); }

private:
    static WPARAM FontParam(const ScopedFont& font) { return reinterpret_cast<WPARAM>(font.get()); }

    // 宜 and 忌 as tall as their lines, the rest of the page under them; the
    // dialog grows when the rest would get fewer than four lines.
    void FitBoxes() {
        const HWND yi = Item(IDC_PAGE_YI), ji = Item(IDC_PAGE_JI), rest = Item(IDC_PAGE_TEXT);
        RECT gap{0, 0, 0, 4};
        MapDialogRect(hwnd(), &gap);
        int lines = 0;
        SetDialogItemText(hwnd(), IDC_PAGE_YI, BoxText(yi, {{"宜：", yi_}}, lines));
        const RECT yiBox = RectInDialog(yi);
        const int yiBottom = yiBox.top + BoxHeight(yi, lines);
        SetWindowPos(yi, nullptr, 0, 0, yiBox.right - yiBox.left, yiBottom - yiBox.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetDialogItemText(hwnd(), IDC_PAGE_JI, BoxText(ji, {{"忌：", ji_}}, lines));
        const RECT jiBox = RectInDialog(ji);
        const int jiTop = yiBottom + gap.bottom / 2, jiBottom = jiTop + BoxHeight(ji, lines);
        SetWindowPos(ji, nullptr, jiBox.left, jiTop, jiBox.right - jiBox.left, jiBottom - jiTop,
                     SWP_NOZORDER | SWP_NOACTIVATE);

        SetDialogItemText(hwnd(), IDC_PAGE_TEXT, BoxText(rest, rest_, lines));
        const RECT restBox = RectInDialog(rest);
        const int restTop = jiBottom + gap.bottom;
        SetWindowPos(rest, nullptr, restBox.left, restTop, restBox.right - restBox.left,
                     std::max<int>(restBox.bottom - restTop, 1), SWP_NOZORDER | SWP_NOACTIVATE);
        // Growing moves the buttons under the page: only once the resizer can.
        const int missing = restTop + BoxHeight(rest, 4) - restBox.bottom;
        if (resizable_ && missing > 0 && !IsZoomed(hwnd())) {
            RECT window{};
            GetWindowRect(hwnd(), &window);
            // Grown, the resizer lays the dialog out again and this runs once more.
            SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left, window.bottom - window.top + missing,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    // The height of a text box that shows `lines` lines without scrolling.
    static int BoxHeight(HWND box, int lines) {
        RECT client{}, format{};
        GetClientRect(box, &client);
        SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        RECT window{};
        GetWindowRect(box, &window);
        const int frame = (window.bottom - window.top) - (client.bottom - client.top);
        const int margins = (client.bottom - client.top) - (format.bottom - format.top);
        return frame + std::max(0, margins) + std::max(1, lines) * BoxFont(box).lineHeight();
    }

    void Walk(int days) {
        const Date next = date_ + days;
        if (next.year() < kFirstLunarYear || next.year() > kLastLunarYear) return;
        date_ = next;
        ShowPage();
    }

    // The 时辰 columns are as wide as their texts in the font the table has at
    // this scale (a Chinese fallback face is wider than dialog units assume);
    // the dialog grows so that the table shows them all without scrolling.
    void WidenForHours() {
        const HWND hours = Item(IDC_PAGE_HOURS);
        int needed = GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE);
        int column = 0;
        const auto textWidth = [hours](const std::string& gbk) {
            const std::wstring text = WideFromGbk(gbk);
            return static_cast<int>(
                SendMessageW(hours, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
        };
        for (const char* title : kHourColumns) {
            // The widest cell or the title, with the list's padding on both
            // sides of it.
            int widest = textWidth(title);
            for (int row = 0; row < list_view::Count(hours); ++row)
                widest = std::max(widest, textWidth(list_view::Cell(hours, row, column)));
            SendMessageW(hours, LVM_SETCOLUMNWIDTH, column, widest + 16);
            needed += widest + 16;
            ++column;
        }
        RECT list{};
        GetWindowRect(hours, &list);
        const int missing = needed - (list.right - list.left);
        if (missing <= 0) return;
        RECT window{};
        GetWindowRect(hwnd(), &window);
        SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left + missing, window.bottom - window.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(hours, nullptr, 0, 0, list.right - list.left + missing, list.bottom - list.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT close{};
        GetWindowRect(Item(IDOK), &close);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&close), 2);
        SetWindowPos(Item(IDOK), nullptr, close.left + missing, close.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void ShowPage() {
        const almanac::AlmanacPage page = almanac::AlmanacPageOf(date_);
        SetDialogItemText(hwnd(), IDC_PAGE_DATE, page.solarDate);
        SetDialogItemText(hwnd(), IDC_PAGE_LUNAR, "旧历" + page.lunarDate + "  " + page.zodiac + "年");
        rest_.clear();
        for (const auto& [name, value] : almanac::AlmanacPageEntries(page)) {
            if (name == "阳历" || name == "旧历") continue;  // in the heading
            if (name == "宜" || name == "忌") {
                (name == "宜" ? yi_ : ji_) = ItemsOf(value);
                continue;
            }
            rest_.push_back({name + "：", ItemsOf(value)});
        }
        FitBoxes();

        const HWND hours = GetDlgItem(hwnd(), IDC_PAGE_HOURS);
        SendMessageW(hours, WM_SETREDRAW, FALSE, 0);
        SendMessageW(hours, LVM_DELETEALLITEMS, 0, 0);
        for (const almanac::AlmanacHour& h : page.hours) {
            list_view::Insert(hours, list_view::Count(hours),
                              {h.name, h.span, h.ganZhi, h.dutyGod, h.lucky ? "吉" : "凶", "冲" + h.clash}, 0);
        }
        SendMessageW(hours, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hours, nullptr, TRUE);

        // The almanac reaches from 1901 to 2099; the walk stops at its ends.
        EnableWindow(GetDlgItem(hwnd(), IDC_PAGE_PREVIOUS), (date_ - 1).year() >= kFirstLunarYear);
        EnableWindow(GetDlgItem(hwnd(), IDC_PAGE_NEXT), (date_ + 1).year() <= kLastLunarYear);
    }

    Date date_;
    std::vector<std::string> yi_, ji_;  // the day's items
    bool resizable_ = false;
    // The page's other entries: "名：" and the items of its value.
    std::vector<std::pair<std::string, std::vector<std::string>>> rest_;
    ScopedFont titleFont_;
    ScopedFont listsFont_;
};

}  // namespace

void ShowAlmanacPage(HWND owner, const Date& date) {
    AlmanacPageDialog dialog(date);
    dialog.RunModal(IDD_ALMANAC_PAGE, owner);
}
