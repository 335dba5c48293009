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

    laidSkin_ = skin_;
    layout_ = LayOutMonth(skin_, RequestFor(month, today_()), days_);
    // Laid out in the template's 96-DPI pixels, shown at the screen's.
    ScaleMonthLayout(layout_, options.dpi);
    for (Rect* spot : {&skin_.yearBack, &skin_.yearNext, &skin_.monthBack, &skin_.monthNext, &skin_.today})
        *spot = ScaleForDpi(*spot, options.dpi);
    for (std::optional<Rect>* box : {&skin_.yearBox, &skin_.monthBox}) {
        if (*box) **box = ScaleForDpi(**box, options.dpi);
    }
}

MonthLayoutRequest MonthView::RequestFor(const YearMonth& month, const Date& today) const {
    MonthLayoutRequest request;
    request.month = month;
    request.showToday = options_.showToday;
    request.firstColWeekDay = options_.firstColWeekDay;
    request.listForDays = options_.listForDays;
    request.showBalloonAlmanac = options_.showBalloonAlmanac;
    request.today = today;
    request.forenotice = options_.forenotice;
    request.offDays = options_.showPublicHolidays ? offDays : nullptr;
    request.marks = marks;
    return request;
}

DisplayList MonthView::DisplayOn(const YearMonth& month, const Date& day) const {
    MonthLayout layout = LayOutMonth(laidSkin_, RequestFor(month, day), days_);
    ScaleMonthLayout(layout, options_.dpi);
    return std::move(layout.display);
}

bool MonthView::HeaderTextAt(int x, int y) const {
    for (const std::optional<Rect>& box : {skin_.yearBox, skin_.monthBox}) {
        if (box && x >= box->left && x < box->right && y >= box->top && y < box->bottom) return true;
    }
    return false;
}
