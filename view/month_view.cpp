#include "view/month_view.h"

#include <utility>

#include "app/profile_file.h"
#include "view/png_size.h"

MonthView::MonthView(DayInfoSource& days, FontFamilyQuery fontFamilies, Clock today, std::string settingsFile)
    : days_(days),
      fontFamilies_(std::move(fontFamilies)),
      today_(std::move(today)),
      settingsFile_(std::move(settingsFile)) {}

void MonthView::Rebuild(const std::string& backgroundPath, const std::string& configPath, int year, int month,
                        int showToday, int firstColWeekDay) {
    backgroundPath_ = backgroundPath;
    configPath_ = configPath;
    year_ = year;
    month_ = month;
    showToday_ = showToday;
    firstColWeekDay_ = firstColWeekDay;

    // Read afresh each time, so that edits to the template show at the next
    // rebuild.
    ProfileDocument config;
    config.Load(configPath);
    skin_ = ReadSkinTemplate(config, fontFamilies_);
    skin_.backgroundPath = backgroundPath;
    if (const std::optional<PixelSize> size = ReadPngSize(backgroundPath)) {
        skin_.backgroundWidth = size->width;
        skin_.backgroundHeight = size->height;
    }

    MonthLayoutRequest request;
    request.year = year;
    request.month = month;
    request.showToday = showToday;
    request.firstColWeekDay = firstColWeekDay;
    request.listForDays = listForDays;
    request.showAlmanac = showAlmanac;
    request.today = today_();
    request.forenotice = ReadForenoticeSwitches(settingsFile_);
    layout_ = LayOutMonth(skin_, request, days_);
}
