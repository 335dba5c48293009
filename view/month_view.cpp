#include "view/month_view.h"

#include <utility>

#include "view/dpi_scale.h"

MonthView::MonthView(DayInfoSource& days, FontFamilyQuery fontFamilies, Clock today)
    : days_(days), fontFamilies_(std::move(fontFamilies)), today_(std::move(today)) {}

void MonthView::Rebuild(const MonthOptions& options, const YearMonth& month) {
    options_ = options;
    month_ = month;
    // Edits to the template show at the next rebuild: the cache reads the
    // files again when they have changed.
    skin_ = templates_.Get(options.backgroundPath, options.configPath, fontFamilies_);
    templateDamage_ = skin_.damage;
    showsFallback_ = false;
    // A template without a picture (its folder gone, or no name at all in the
    // settings) would give a window without visible area: the fallback too.
    const bool unusable = skin_.damaged() || skin_.backgroundWidth == 0;
    if (unusable && !options.fallbackConfigPath.empty() && options.fallbackConfigPath != options.configPath) {
        const SkinTemplate& fallback =
            fallbackTemplates_.Get(options.fallbackBackgroundPath, options.fallbackConfigPath, fontFamilies_);
        // A fallback without a picture is no better than a template without one.
        if (!fallback.damaged() && (skin_.damaged() || fallback.backgroundWidth > 0)) {
            skin_ = fallback;
            showsFallback_ = true;
        }
    }

    MonthLayoutRequest request;
    request.month = month;
    request.showToday = options.showToday;
    request.firstColWeekDay = options.firstColWeekDay;
    request.listForDays = options.listForDays;
    request.showBalloonAlmanac = options.showBalloonAlmanac;
    request.today = today_();
    request.forenotice = options.forenotice;
    request.offDays = options.showPublicHolidays ? offDays : nullptr;
    request.marks = marks;
    layout_ = LayOutMonth(skin_, request, days_);
    // Laid out in the template's 96-DPI pixels, shown at the screen's.
    ScaleMonthLayout(layout_, options.dpi);
    for (Rect* spot : {&skin_.yearBack, &skin_.yearNext, &skin_.monthBack, &skin_.monthNext, &skin_.today})
        *spot = ScaleForDpi(*spot, options.dpi);
    for (std::optional<Rect>* box : {&skin_.yearBox, &skin_.monthBox}) {
        if (*box) **box = ScaleForDpi(**box, options.dpi);
    }
}

bool MonthView::HeaderTextAt(int x, int y) const {
    for (const std::optional<Rect>& box : {skin_.yearBox, skin_.monthBox}) {
        if (box && x >= box->left && x < box->right && y >= box->top && y < box->bottom) return true;
    }
    return false;
}
