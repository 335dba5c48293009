#include "view/win/month_picture.h"

#include "almanac/almanac_database.h"
#include "app/provisional_settings.h"
#include "view/win/display_list_renderer.h"

MonthSources::MonthSources() : database_(std::make_unique<AlmanacDatabase>()) {}
MonthSources::~MonthSources() = default;

void MonthSources::Load(const std::string& moduleFolder, const std::string& databasePath) {
    moduleFolder_ = moduleFolder;
    if (database_->CreateEngine()) database_->Open(databasePath);
}

void MonthSources::ReloadFestivals() {}
void MonthSources::ReloadReminders() {}
void MonthSources::Close() { database_->Close(); }

MonthPicture ComposeMonthPicture(const MonthRequest& request, MonthSources&) {
    // PROVISIONAL: the template's background and navigation only, until the
    // template loader and the month layout land.
    MonthPicture picture;
    auto rect = [&](const char* key) {
        return ProvisionalRectKey(request.configPath, key).value_or(DisplayRect{});
    };
    picture.hotSpots = HotSpots{rect("YEARBACK"), rect("YEARNEXT"), rect("MONTHBACK"), rect("MONTHNEXT")};
    picture.balloonLook.background = ProvisionalColorKey(request.configPath, "TOOLTIP_BKCOLOR");
    picture.balloonLook.text = ProvisionalColorKey(request.configPath, "TOOLTIP_TEXTCOLOR");
    DisplayList list;
    list.backgroundPath = request.backgroundPath;
    picture.surface = RenderDisplayList(list);
    return picture;
}

void OpenDayItemHelp(const std::string&) {
    // PROVISIONAL: the festival help links land with the festival module.
}
