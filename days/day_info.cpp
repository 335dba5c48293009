#include "days/day_info.h"

#include "almanac/almanac_database.h"
#include "calendar/calendar_texts.h"
#include "festivals/festival_matching.h"
#include "reminders/reminder_occurrence.h"

namespace {

// The row's texts are copied as a whole, so a date never shows half an
// almanac.
void SetAlmanacTexts(const AlmanacDayRow& row, DayInfo& info) {
    std::string* const fields[] = {&info.yearGanZhi,   &info.monthGanZhi, &info.dayGanZhi,       &info.auspicious,
                                   &info.inauspicious, &info.clash,       &info.shaDirection,    &info.jianChu,
                                   &info.clashGanZhi,  &info.taiShen,     &info.monthSolarTerms, &info.solarTerm};
    static_assert(sizeof fields / sizeof fields[0] == kAlmanacKeptColumns, "one field per text of the row");
    for (int i = 0; i < kAlmanacKeptColumns; ++i) *fields[i] = row.texts[i];
}

}  // namespace

OccurringReminders OccurringReminders::AllOf(const ReminderList& list) {
    OccurringReminders all;
    for (const Reminder& reminder : list) all.push_back(reminder);
    return all;
}

DayInfo GetDayInfo(const Date& date, DayParts parts, const FestivalList* festivals, const ReminderList* reminders,
                   AlmanacDatabase* almanac, SolarTermLookup* solarTerms, const HolidaySchedule* offDays) {
    DayInfo info;
    info.date = date;
    info.lunar = SolarToLunar(date);
    info.zodiac = ZodiacName(info.lunar.year);
    if (parts.almanac && almanac) {
        if (const std::optional<AlmanacDayRow> row = almanac->ReadRow(date)) SetAlmanacTexts(*row, info);
    }
    if (parts.festivals && festivals) {
        info.festivals = MatchFestivals(*festivals, {date, info.lunar}, solarTerms ? solarTerms : almanac);
    }
    if (parts.reminders && reminders) {
        const bool workingDay = IsWorkingDay(offDays, date);
        for (const Reminder& reminder : *reminders) {
            if (ReminderOccursOn(reminder, date, info.lunar, workingDay)) info.reminders.push_back(reminder);
        }
    }
    return info;
}

std::string RememberedSolarTerms::SolarTermOn(const Date& date) {
    if (!almanac_ || !almanac_->IsOpen()) return std::string();
    // A bound on what is kept: years of dates would otherwise pile up as the
    // user pages through the calendar.
    constexpr std::size_t kMostDates = 20000;
    const auto found = terms_.find(date.serial());
    if (found != terms_.end()) return found->second;
    if (terms_.size() >= kMostDates) terms_.clear();
    return terms_.emplace(date.serial(), almanac_->SolarTermOn(date)).first->second;
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

std::int64_t StretchOf(std::int64_t serial) {
    return serial >= 0 ? serial / kStretch : (serial - kStretch + 1) / kStretch;
}
}  // namespace

DaySources::DaySources(const FestivalList* festivals, const ReminderList* reminders, AlmanacDatabase* almanac,
                       const HolidaySchedule* offDays)
    : festivals_(festivals),
      reminders_(reminders),
      almanac_(almanac),
      offDays_(offDays),
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

const AlmanacDayRow* DaySources::Row(const Date& date) {
    if (!almanacOpen_) return nullptr;
    const std::int64_t stretch = StretchOf(date.serial());
    if (stretchesRead_.count(stretch) == 0) {
        if (rows_.size() >= kMostRows) {
            rows_.clear();
            stretchesRead_.clear();
        }
        const Date first = Date::FromSerial(stretch * kStretch).value_or(Date::First());
        for (AlmanacDayRow& row : almanac_->ReadRows(first, first + (kStretch - 1))) {
            rows_.emplace(row.date.serial(), std::move(row));
        }
        stretchesRead_.insert(stretch);
    }
    const auto found = rows_.find(date.serial());
    return found == rows_.end() ? nullptr : &found->second;
}

DayInfo DaySources::GetDayInfo(const Date& date, DayParts parts) {
    NoteAlmanacState();
    DayInfo info = ::GetDayInfo(date, parts.reminders ? kRemindersPart : kNoDayParts, festivals_, reminders_, nullptr,
                                nullptr, offDays_);
    if (parts.almanac) {
        if (const AlmanacDayRow* row = Row(date)) SetAlmanacTexts(*row, info);
    }
    if (parts.festivals && festivals_) {
        info.festivals = festivalIndex_.Match(*festivals_, date, almanac_ ? &solarTerms_ : nullptr);
    }
    return info;
}
