#include "view/month_view.h"

#include <utility>

MonthView::MonthView(DayInfoSource& days, FontFamilyQuery fontFamilies, Clock today)
    : days_(days), fontFamilies_(std::move(fontFamilies)), today_(std::move(today)) {}

void MonthView::Rebuild(const MonthOptions& options, int year, int month) {
    options_ = options;
    year_ = year;
    month_ = month;
    // Read afresh each time, so that edits to the template show at the next
    // rebuild.
    skin_ = LoadSkinTemplateFiles(options.configPath, options.backgroundPath, fontFamilies_);

    MonthLayoutRequest request;
    request.year = year;
    request.month = month;
    request.showToday = options.showToday;
    request.firstColWeekDay = options.firstColWeekDay;
    request.listForDays = options.listForDays;
    request.showAlmanac = options.showAlmanac;
    request.today = today_();
    request.forenotice = options.forenotice;
    request.offDays = options.showPublicHolidays ? offDays : nullptr;
    layout_ = LayOutMonth(skin_, request, days_);
}
