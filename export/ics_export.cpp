#include "export/ics_export.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "almanac/solar_term_lookup.h"
#include "base/text_encoding.h"
#include "calendar/date.h"
#include "calendar/lunar_calendar.h"
#include "festivals/festival_matching.h"
#include "holidays/holiday_schedule.h"
#include "reminders/reminder_occurrence.h"

namespace {

constexpr char kUidDomain[] = "@tavro-calendar";

// Rules counted from a term look the same dates up again and again, each of
// them a few days apart; the almanac answers once per date.
class RememberedTerms : public SolarTermLookup {
public:
    explicit RememberedTerms(SolarTermLookup* inner) : inner_(inner) {}
    std::string SolarTermOn(const Date& date) override {
        const auto found = terms_.find(date.serial());
        if (found != terms_.end()) return found->second;
        return terms_[date.serial()] = inner_->SolarTermOn(date);
    }

private:
    SolarTermLookup* inner_;
    std::unordered_map<std::int64_t, std::string> terms_;
};

std::string DateValue(int year, int month, int day) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
    return text;
}

std::string DateValue(const Date& date) { return DateValue(date.year(), date.month(), date.day()); }

std::string DateTimeValue(int year, int month, int day, int hour, int minute, int second) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d", year, month, day, hour, minute, second);
    return text;
}

// Which of the user's rules are "the same festival": the texts that say what
// and when, not the switches or the sound, which the user may have changed.
std::string RuleIdentity(const FestivalRule& rule) {
    return rule.calendar + '\x1f' + rule.kind + '\x1f' + rule.dateRule + '\x1f' + rule.name + '\x1f' + rule.startYear;
}

// The editor writes only the year, month, day, hour and minute of a memo's
// start and end; the seconds, milliseconds and weekday words keep what the
// clock said when the memo was made (a new memo starts as "now", its end as a
// copy of its start). They identify the memo for as long as it lives, so an
// edited memo imports over its old self instead of beside it. Records made
// without a clock (all those words zero) fall back to what they say.
std::string ReminderStamp(const Reminder& reminder) {
    const SystemTime& s = reminder.start;
    const SystemTime& e = reminder.repeatEnd;
    if ((s.dayOfWeek | s.second | s.milliseconds | e.dayOfWeek | e.second | e.milliseconds) == 0) return {};
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "made|%u|%u|%u|%u|%u|%u", s.dayOfWeek, s.second, s.milliseconds, e.dayOfWeek,
                  e.second, e.milliseconds);
    return stamp;
}

std::string ReminderIdentity(const Reminder& reminder) {
    const std::string stamp = ReminderStamp(reminder);
    if (!stamp.empty()) return stamp;
    char head[64];
    std::snprintf(head, sizeof head, "%d|%d|%d-%d-%d %d:%d|", static_cast<int>(reminder.calendar),
                  static_cast<int>(reminder.repeat), reminder.start.year, reminder.start.month, reminder.start.day,
                  reminder.start.hour, reminder.start.minute);
    return head + ReminderText(reminder);
}

// Identical rules or memos listed twice are shown twice by the month; the
// second one gets its own UIDs.
class UidMaker {
public:
    std::string Base(char kind, const std::string& identity) {
        std::string base = std::string(1, kind) + StableHash(identity);
        const int seen = ++seen_[base];
        if (seen > 1) base += "-" + std::to_string(seen);
        return base;
    }

private:
    std::map<std::string, int> seen_;
};

class IcsWriter {
public:
    void Line(const std::string& line) { text_ += IcsFoldLine(line); }
    std::string& text() { return text_; }

private:
    std::string text_;
};

// A Gregorian fixed date without a count in its name: one yearly event does.
bool IsPlainYearly(const FestivalRule& rule, int year) {
    FixedDateRule fixed;
    if (rule.calendar != kGregorianCalendar || !ReadFixedDateRule(rule.dateRule, fixed) || fixed.leapMonth) {
        return false;
    }
    if (fixed.month < 1 || fixed.month > 12 || fixed.day < 1 || fixed.day > DaysInMonth(2000, fixed.month)) {
        return false;
    }
    if (!FestivalSuffix(rule, year).empty()) return false;
    int ey, em, ed;
    // An end date that is no real date is left to the occurrences.
    return !ReadYearMonthDay(rule.endDate, ey, em, ed) ||
           (ey >= 1 && ey <= 9999 && em >= 1 && em <= 12 && ed >= 1 && ed <= DaysInMonth(ey, em));
}

bool IsShipped(const FestivalRule& rule, const FestivalList& shipped) {
    return std::any_of(shipped.begin(), shipped.end(), [&](const FestivalRule& s) {
        return s.calendar == rule.calendar && s.kind == rule.kind && s.dateRule == rule.dateRule && s.name == rule.name;
    });
}

std::string FirstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

class Exporter {
public:
    Exporter(const IcsExportChoices& choices, const IcsStamp& stamp, SolarTermLookup* terms, int passes,
             const IcsProgress& progress)
        : first_(std::max(choices.firstYear, kFirstLunarYear)),
          last_(std::min(choices.firstYear + std::max(choices.years, 1) - 1, kLastLunarYear)),
          stamp_(DateTimeValue(stamp.year, stamp.month, stamp.day, stamp.hour, stamp.minute, stamp.second) + "Z"),
          terms_(terms ? std::make_unique<RememberedTerms>(terms) : nullptr),
          offDays_(choices.offDays),
          passes_(std::max(passes, 1)),
          progress_(progress) {}

    void Festivals(const FestivalList& rules);
    void Reminders(const ReminderList& reminders);
    void SolarTerms();
    IcsExport Finish();

private:
    // One pass over the years chosen; every pass counts the same towards the
    // progress shown, and a stop (cancelled, or a limit reached) ends it.
    template <typename Visit>
    void EachDay(Visit visit) {
        if (first_ <= last_ && outcome_ == IcsOutcome::kWritten) {
            const Date first = *Date::FromCivil(first_, 1, 1);
            const Date last = *Date::FromCivil(last_, 12, 31);
            const std::int64_t days = last.serial() - first.serial() + 1;
            for (const Date date : DateRange(first, last)) {
                if (outcome_ != IcsOutcome::kWritten) break;
                const std::int64_t done = date.serial() - first.serial();
                if (done % 32 == 0) Report((pass_ * days + done) * 1000 / (passes_ * days));
                visit(date);
            }
        }
        ++pass_;
    }
    void Report(std::int64_t permille) {
        if (progress_ && !progress_(static_cast<int>(permille))) outcome_ = IcsOutcome::kCancelled;
    }
    // Once stopped, nothing more is written: the text is dropped anyway.
    void Line(const std::string& line) {
        if (outcome_ != IcsOutcome::kWritten) return;
        out_.Line(line);
        if (out_.text().size() > kIcsMaxBytes) outcome_ = IcsOutcome::kTooLarge;
    }
    void Begin(const std::string& uid, const std::string& summaryGbk) {
        if (outcome_ == IcsOutcome::kWritten && ++events_ > kIcsMaxEvents) outcome_ = IcsOutcome::kTooLarge;
        Line("BEGIN:VEVENT");
        Line("UID:" + uid + kUidDomain);
        Line("DTSTAMP:" + stamp_);
        Line("SUMMARY:" + IcsEscapeText(utf8_.Utf8FromGbk(summaryGbk)));
    }
    void AllDay(const Date& d) {
        Line("DTSTART;VALUE=DATE:" + DateValue(d));
        Line("DTEND;VALUE=DATE:" + DateValue(d + 1));
        Line("TRANSP:TRANSPARENT");
    }
    void ReminderEvent(const Reminder& reminder, const std::string& uid, const Date& d, const std::string& rrule);

    int first_, last_;
    std::string stamp_;
    std::unique_ptr<RememberedTerms> terms_;
    const HolidaySchedule* offDays_;
    IcsWriter out_;
    TextConverter utf8_;
    UidMaker uids_;
    int events_ = 0;
    int pass_ = 0;
    int passes_;
    IcsProgress progress_;
    IcsOutcome outcome_ = IcsOutcome::kWritten;
};

void Exporter::Festivals(const FestivalList& rules) {
    struct Pending {
        std::string uid;
        bool plain;
        bool found = false;
        Date first;
    };
    std::vector<FestivalList> single;
    std::vector<Pending> pending;
    for (const FestivalRule& rule : rules) {
        single.push_back(FestivalList{rule});
        pending.push_back(Pending{uids_.Base('f', RuleIdentity(rule)), IsPlainYearly(rule, first_), false, Date()});
    }
    EachDay([&](const Date& d) {
        const FestivalDate date = MakeFestivalDate(d);
        for (std::size_t i = 0; i < single.size(); ++i) {
            Pending& p = pending[i];
            if (p.plain && p.found) continue;
            const FestivalList matched = MatchFestivals(single[i], date, terms_.get());
            if (matched.empty()) continue;
            if (p.plain) {
                p.found = true;
                p.first = d;
                continue;
            }
            Begin(p.uid + "-" + DateValue(d), matched[0].name + matched[0].suffix);
            AllDay(d);
            Line("END:VEVENT");
        }
    });
    for (std::size_t i = 0; i < single.size(); ++i) {
        const Pending& p = pending[i];
        if (!p.plain || !p.found) continue;
        const FestivalRule& rule = rules[i];
        FixedDateRule fixed;
        ReadFixedDateRule(rule.dateRule, fixed);
        std::string rrule =
            "RRULE:FREQ=YEARLY;BYMONTH=" + std::to_string(fixed.month) + ";BYMONTHDAY=" + std::to_string(fixed.day);
        int ey, em, ed;
        if (ReadYearMonthDay(rule.endDate, ey, em, ed)) rrule += ";UNTIL=" + DateValue(ey, em, ed);
        Begin(p.uid, rule.name);
        AllDay(p.first);
        Line(rrule);
        Line("END:VEVENT");
    }
}

void Exporter::ReminderEvent(const Reminder& reminder, const std::string& uid, const Date& d,
                             const std::string& rrule) {
    const std::string text = ReminderText(reminder);
    Begin(uid, FirstLine(text));
    Line("DTSTART:" + DateTimeValue(d.year(), d.month(), d.day(), reminder.start.hour, reminder.start.minute, 0));
    if (FirstLine(text) != text) Line("DESCRIPTION:" + IcsEscapeText(utf8_.Utf8FromGbk(text)));
    if (!rrule.empty()) Line(rrule);
    std::int64_t firstLead = -1;
    for (const ReminderAlert alert : {reminder.firstAlert, reminder.secondAlert}) {
        const std::int64_t lead = AlertLeadSeconds(alert);
        // The program rings once for two alerts at the same time; so does the phone.
        if (lead < 0 || lead == firstLead) continue;
        if (firstLead < 0) firstLead = lead;
        Line("BEGIN:VALARM");
        Line("ACTION:DISPLAY");
        Line("DESCRIPTION:" + IcsEscapeText(utf8_.Utf8FromGbk(FirstLine(text))));
        Line("TRIGGER:" + IcsTriggerBefore(lead));
        Line("END:VALARM");
    }
    Line("END:VEVENT");
}

void Exporter::Reminders(const ReminderList& reminders) {
    for (const Reminder& reminder : reminders) {
        const std::string uid = uids_.Base('m', ReminderIdentity(reminder));
        // Repetitions a phone repeats the same way: Gregorian ones, and a
        // lunar daily memo, which is daily in any calendar. No phone knows
        // the holiday schedule: its working or rest days are dated events.
        const ReminderRepeat repetition = RepetitionOf(reminder);
        const bool gregorianRepeat = reminder.calendar == ReminderCalendar::kGregorian &&
                                     repetition >= ReminderRepeat::kDaily && repetition <= ReminderRepeat::kYearly;
        const bool lunarDaily =
            reminder.calendar == ReminderCalendar::kLunar && reminder.repeat == ReminderRepeat::kDaily;
        const bool repeating = gregorianRepeat || lunarDaily;
        bool found = false;
        Date first;
        EachDay([&](const Date& d) {
            if (repeating && found) return;
            if (!ReminderOccursOn(reminder, d, SolarToLunar(d), IsWorkingDay(offDays_, d))) return;
            if (repeating) {
                found = true;
                first = d;
            } else {
                // A one-off memo is one event whatever its date: moving it
                // moves that event.
                ReminderEvent(reminder, reminder.repeat == ReminderRepeat::kNone ? uid : uid + "-" + DateValue(d), d,
                              "");
            }
        });
        if (!repeating || !found) continue;
        std::string rrule = "RRULE:FREQ=";
        Date start = first;
        switch (reminder.repeat) {
            case ReminderRepeat::kDaily:
                rrule += "DAILY";
                break;
            case ReminderRepeat::kWeekly:
                rrule += "WEEKLY";
                break;
            case ReminderRepeat::kBiweekly:
                rrule += "WEEKLY;INTERVAL=2";
                break;
            case ReminderRepeat::kMonthly:
                rrule += "MONTHLY;BYMONTHDAY=" + std::to_string(reminder.start.day);
                break;
            default:
                rrule += "YEARLY;BYMONTH=" + std::to_string(reminder.start.month) +
                         ";BYMONTHDAY=" + std::to_string(reminder.start.day);
        }
        // Weeks are counted from the memo's own start, so the series starts
        // there; every other repetition may start at its first date shown.
        if (reminder.repeat == ReminderRepeat::kWeekly || reminder.repeat == ReminderRepeat::kBiweekly) {
            start = DateOf(reminder.start).value_or(first);
        }
        // An end that is no real minute limits nothing, as in the month.
        if (const std::optional<SystemTime> e = RepeatEndMinute(reminder)) {
            rrule += ";UNTIL=" + DateTimeValue(e->year, e->month, e->day, e->hour, e->minute, 0);
        }
        ReminderEvent(reminder, uid, start, rrule);
    }
}

void Exporter::SolarTerms() {
    if (!terms_) return;
    EachDay([&](const Date& d) {
        const std::string term = terms_->SolarTermOn(d);
        if (term.empty()) return;
        Begin("t" + DateValue(d), term);
        AllDay(d);
        Line("END:VEVENT");
    });
}

IcsExport Exporter::Finish() {
    IcsWriter head;
    head.Line("BEGIN:VCALENDAR");
    head.Line("VERSION:2.0");
    head.Line("PRODID:-//Tavro//Tavro Calendar//ZH");
    head.Line("CALSCALE:GREGORIAN");
    head.Line("METHOD:PUBLISH");
    head.Line("X-WR-CALNAME:" + IcsEscapeText(utf8_.Utf8FromGbk("Tavro日历")));
    IcsExport result;
    result.outcome = outcome_;
    result.events = std::min(events_, kIcsMaxEvents);
    // A file cut short would look complete to the phone: none is made.
    if (outcome_ != IcsOutcome::kWritten) return result;
    result.text = head.text() + out_.text();
    result.text += IcsFoldLine("END:VCALENDAR");
    return result;
}

}  // namespace

std::string StableHash(const std::string& bytes) {
    std::uint64_t hash = 1469598103934665603ull;
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::string IcsEscapeText(const std::string& utf8) {
    std::string out;
    for (const char c : utf8) {
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if ((static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) || (c & 0x80) != 0) {
            // Control characters (a tab, a stray escape) are not text a
            // calendar shows, and some refuse the whole file for one.
            out += c;
        }
    }
    return out;
}

std::string IcsFoldLine(const std::string& line) {
    constexpr std::size_t kOctets = 75;
    std::string out;
    std::size_t pos = 0;
    std::size_t room = kOctets;
    while (line.size() - pos > room) {
        std::size_t cut = pos + room;
        // Back up to the lead byte of a UTF-8 sequence.
        while (cut > pos + 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        out.append(line, pos, cut - pos);
        out += "\r\n ";
        pos = cut;
        room = kOctets - 1;  // the space that begins a continuation counts
    }
    out.append(line, pos, std::string::npos);
    out += "\r\n";
    return out;
}

std::string IcsTriggerBefore(std::int64_t seconds) {
    if (seconds <= 0) return "PT0S";
    const std::string n = [&] {
        if (seconds % 86400 == 0) return "P" + std::to_string(seconds / 86400) + "D";
        if (seconds % 3600 == 0) return "PT" + std::to_string(seconds / 3600) + "H";
        if (seconds % 60 == 0) return "PT" + std::to_string(seconds / 60) + "M";
        return "PT" + std::to_string(seconds) + "S";
    }();
    return "-" + n;
}

std::optional<ReminderEventSource> ReminderOfEventUid(const ReminderList& reminders, const std::string& uid) {
    const std::size_t at = uid.rfind(kUidDomain);
    if (at == std::string::npos || at + std::char_traits<char>::length(kUidDomain) != uid.size()) return std::nullopt;
    const std::string name = uid.substr(0, at);
    UidMaker uids;
    for (std::size_t i = 0; i < reminders.size(); ++i) {
        const std::string base = uids.Base('m', ReminderIdentity(reminders[i]));
        if (name == base) return ReminderEventSource{i, false};
        if (name.size() != base.size() + 9 || name.compare(0, base.size(), base) != 0 || name[base.size()] != '-') {
            continue;
        }
        if (std::all_of(name.begin() + static_cast<std::ptrdiff_t>(base.size()) + 1, name.end(),
                        [](char c) { return c >= '0' && c <= '9'; })) {
            return ReminderEventSource{i, true};
        }
    }
    return std::nullopt;
}

IcsExport ExportIcs(const FestivalList& festivals, const FestivalList& shipped, const ReminderList& reminders,
                    SolarTermLookup* solarTerms, const IcsExportChoices& choices, const IcsStamp& stamp,
                    const IcsProgress& progress) {
    const int passes = (choices.festivals ? 1 : 0) + (choices.reminders ? static_cast<int>(reminders.size()) : 0) +
                       (choices.solarTerms && solarTerms ? 1 : 0);
    Exporter exporter(choices, stamp, solarTerms, passes, progress);
    if (choices.festivals) {
        FestivalList chosen;
        for (const FestivalRule& rule : festivals) {
            if (!choices.ownFestivalsOnly || !IsShipped(rule, shipped)) chosen.push_back(rule);
        }
        exporter.Festivals(chosen);
    }
    if (choices.reminders) exporter.Reminders(reminders);
    if (choices.solarTerms) exporter.SolarTerms();
    return exporter.Finish();
}
