#include "almanac/day_info.h"

#include <cstdio>
#include <memory>

#include "almanac/almanac_database.h"
#include "calendar/calendar_texts.h"
#include "calendar/gregorian.h"
#include "calendar/lunar_calendar.h"
#include "festivals/festival_matching.h"
#include "reminders/reminder_occurrence.h"

namespace {

std::string DateText(int year, int month, int day) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

// The row's fourteen columns are read first and copied only as a whole, so a
// date never shows half an almanac.
void ReadAlmanacRow(AlmanacDatabase& almanac, int year, int month, int day, DayInfo& info) {
    const std::unique_ptr<AlmanacRecordset> row = almanac.Query(FullRowStatement(year, month, day));
    if (!row) return;
    if (row->MoveFirst()) {  // a date without a row has no first row
        std::string texts[kAlmanacRowColumns];
        for (int i = 0; i < kAlmanacRowColumns; ++i) texts[i] = row->Collect(i);
        std::string* const fields[] = {&info.nYear, &info.nMonth,      &info.nDay,    &info.Yi,
                                       &info.Ji,    &info.Chong,       &info.Sha,     &info.Cheng,
                                       &info.ZhengChong, &info.TaiShen, &info.JQ,     &info.SolarTerm};
        static_assert(sizeof fields / sizeof fields[0] == kAlmanacRowColumns - 2, "gDate and nDate are dropped");
        for (int i = 0; i < kAlmanacRowColumns - 2; ++i) *fields[i] = std::move(texts[i + 2]);
    }
    row->Close();
}

}  // namespace

DayInfo GetDayInfo(int year, int month, int day, bool withAlmanac, bool withFestivals, bool withReminders,
                   const FestivalList* festivals, const ReminderList* reminders, AlmanacDatabase* almanac,
                   SolarTermLookup* solarTerms) {
    DayInfo info;
    info.solarDate = DateText(year, month, day);
    const LunarDate lunar = SolarToLunar(year, month, day);
    info.lunarDate = DateText(lunar.year, lunar.month, lunar.day);
    info.zodiac = ZodiacName(lunar.year);
    info.isLeap = lunar.isLeap;
    info.weekday = DayOfWeek(year, month, day);
    if (withAlmanac && almanac) ReadAlmanacRow(*almanac, year, month, day, info);
    if (withFestivals && festivals) {
        FestivalDate date;
        date.year = year;
        date.month = month;
        date.day = day;
        date.lunarMonth = lunar.month;
        date.lunarDay = lunar.day;
        date.weekday = info.weekday;
        info.festivals = MatchFestivals(*festivals, date, solarTerms ? solarTerms : almanac);
    }
    if (withReminders && reminders) {
        for (const Reminder& reminder : *reminders) {
            if (ReminderOccursOn(reminder, year, month, day, lunar)) info.reminders.push_back(reminder);
        }
    }
    return info;
}

std::string RememberedSolarTerms::SolarTermOn(int year, int month, int day) {
    if (!almanac_ || !almanac_->IsOpen()) return std::string();
    // A bound on what is kept: years of dates would otherwise pile up as the
    // user pages through the calendar.
    constexpr std::size_t kMostDates = 20000;
    const std::int64_t serial = SerialFromCivil(year, month, day);
    const auto found = terms_.find(serial);
    if (found != terms_.end()) return found->second;
    if (terms_.size() >= kMostDates) terms_.clear();
    return terms_.emplace(serial, almanac_->SolarTermOn(year, month, day)).first->second;
}

DaySources::DaySources(const FestivalList* festivals, const ReminderList* reminders, AlmanacDatabase* almanac)
    : festivals_(festivals), reminders_(reminders), almanac_(almanac), solarTerms_(almanac) {}

DayInfo DaySources::GetDayInfo(int year, int month, int day, bool withAlmanac, bool withFestivals,
                               bool withReminders) {
    return ::GetDayInfo(year, month, day, withAlmanac, withFestivals, withReminders, festivals_, reminders_, almanac_,
                        almanac_ ? &solarTerms_ : nullptr);
}
