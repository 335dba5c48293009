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

std::vector<DatedSolarTerm> RememberedSolarTerms::SolarTermsOfYear(int year) {
    if (!almanac_ || !almanac_->IsOpen()) return {};
    const auto found = years_.find(year);
    if (found != years_.end()) return found->second;
    constexpr std::size_t kMostYears = 16;
    if (years_.size() >= kMostYears) years_.clear();
    return years_[year] = almanac_->SolarTermsOfYear(year);
}

namespace {
// Rows are read in stretches of this many days, aligned on serial days: a
// month and a year's horizon take a handful of range reads.
constexpr std::int64_t kStretch = 64;
// A bound on the rows kept (about 1.5 MB): years of dates would otherwise pile
// up as the user pages through the calendar.
constexpr std::size_t kMostRows = 4000;

std::int64_t StretchOf(std::int64_t serial) { return serial >= 0 ? serial / kStretch : (serial - kStretch + 1) / kStretch; }
}  // namespace

DaySources::DaySources(const FestivalList* festivals, const ReminderList* reminders, AlmanacDatabase* almanac)
    : festivals_(festivals),
      reminders_(reminders),
      almanac_(almanac),
      almanacOpen_(almanac && almanac->IsOpen()),
      solarTerms_(almanac) {}

DaySources::~DaySources() = default;

void DaySources::FestivalsChanged() { festivalIndex_.Forget(); }

// A database opened or closed since the last call changes what the almanac
// and the festivals counted from a solar term give.
void DaySources::NoteAlmanacState() {
    const bool open = almanac_ && almanac_->IsOpen();
    if (open == almanacOpen_) return;
    almanacOpen_ = open;
    solarTerms_ = RememberedSolarTerms(almanac_);
    festivalIndex_.Forget();
    rows_.clear();
    stretchesRead_.clear();
}

const AlmanacDayRow* DaySources::Row(std::int64_t serial) {
    if (!almanacOpen_) return nullptr;
    const std::int64_t stretch = StretchOf(serial);
    if (stretchesRead_.count(stretch) == 0) {
        if (rows_.size() >= kMostRows) {
            rows_.clear();
            stretchesRead_.clear();
        }
        for (AlmanacDayRow& row : almanac_->ReadRows(stretch * kStretch, stretch * kStretch + kStretch - 1)) {
            rows_.emplace(row.serial, std::move(row));
        }
        stretchesRead_.insert(stretch);
    }
    const auto found = rows_.find(serial);
    return found == rows_.end() ? nullptr : &found->second;
}

DayInfo DaySources::GetDayInfo(int year, int month, int day, bool withAlmanac, bool withFestivals,
                               bool withReminders) {
    NoteAlmanacState();
    DayInfo info = ::GetDayInfo(year, month, day, false, false, withReminders, festivals_, reminders_, nullptr);
    if (withAlmanac) {
        if (const AlmanacDayRow* row = Row(SerialFromCivil(year, month, day))) {
            std::string* const fields[] = {&info.nYear, &info.nMonth,      &info.nDay,    &info.Yi,
                                           &info.Ji,    &info.Chong,       &info.Sha,     &info.Cheng,
                                           &info.ZhengChong, &info.TaiShen, &info.JQ,     &info.SolarTerm};
            for (int i = 0; i < kAlmanacKeptColumns; ++i) *fields[i] = row->texts[i];
        }
    }
    if (withFestivals && festivals_) {
        info.festivals = festivalIndex_.Match(*festivals_, year, month, day, almanac_ ? &solarTerms_ : nullptr);
    }
    return info;
}
