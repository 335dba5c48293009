#include "view/win/month_sources.h"

#include <cstdio>

#include "almanac/almanac_database.h"
#include "calendar/calendar_texts.h"
#include "calendar/lunar_calendar.h"
#include "festivals/festival_file.h"
#include "festivals/festival_matching.h"

MonthSources::MonthSources() : database_(std::make_unique<AlmanacDatabase>()) {}
MonthSources::~MonthSources() = default;

void MonthSources::Load(const std::string& festivalFile, const std::string& databasePath) {
    festivalFile_ = festivalFile;
    LoadFestivals(festivals_, festivalFile_);
    if (database_->CreateEngine()) database_->Open(databasePath);
}

void MonthSources::ReloadFestivals() { LoadFestivals(festivals_, festivalFile_); }
void MonthSources::ReloadReminders() {}
void MonthSources::Close() { database_->Close(); }

namespace {

std::string DateText(int year, int month, int day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

}  // namespace

DayInfo MonthSources::GetDayInfo(int year, int month, int day, bool, bool withFestivals, bool) {
    // PROVISIONAL: the calendar fields, the solar term and the festivals,
    // until day information with the almanac row and the memos lands.
    DayInfo info;
    info.solarDate = DateText(year, month, day);
    const LunarDate lunar = SolarToLunar(year, month, day);
    info.lunarDate = DateText(lunar.year, lunar.month, lunar.day);
    info.isLeap = lunar.isLeap;
    info.zodiac = ZodiacName(lunar.year);
    info.weekday = DayOfWeek(year, month, day);
    info.SolarTerm = database_->SolarTermOn(year, month, day);
    if (withFestivals) info.festivals = MatchFestivals(festivals_, MakeFestivalDate(year, month, day), database_.get());
    return info;
}
