#include "view/ics_export.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "almanac/solar_term_lookup.h"
#include "base/text_encoding.h"
#include "calendar/gregorian.h"
#include "calendar/lunar_calendar.h"
#include "festivals/festival_matching.h"
#include "reminders/reminder_occurrence.h"

namespace {

constexpr char kUidDomain[] = "@tavro-calendar";

// Rules counted from a term look the same dates up again and again, each of
// them a few days apart; the almanac answers once per date.
class RememberedTerms : public SolarTermLookup {
public:
    explicit RememberedTerms(SolarTermLookup* inner) : inner_(inner) {}
    std::string SolarTermOn(int year, int month, int day) override {
        const std::int64_t serial = SerialFromCivil(year, month, day);
        const auto found = terms_.find(serial);
        if (found != terms_.end()) return found->second;
        return terms_[serial] = inner_->SolarTermOn(year, month, day);
    }

private:
    SolarTermLookup* inner_;
    std::unordered_map<std::int64_t, std::string> terms_;
};

// FNV-1a: the same rule or record gives the same UID on every export and on
// every platform.
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

std::string DateValue(int year, int month, int day) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
    return text;
}

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

std::string MemoIdentity(const Reminder& memo) {
    char head[64];
    std::snprintf(head, sizeof head, "%d|%d|%d-%d-%d %d:%d|", static_cast<int>(memo.calendar),
                  static_cast<int>(memo.repeat), memo.start.year, memo.start.month, memo.start.day, memo.start.hour,
                  memo.start.minute);
    return head + ReminderText(memo);
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

struct Day {
    int year, month, day;
};

// A Gregorian fixed date without a count in its name: one yearly event does.
bool IsPlainYearly(const FestivalRule& rule, int year) {
    FixedDateRule fixed;
    if (rule.calendar != kGregorianCalendar || !ReadFixedDateRule(rule.dateRule, fixed)) return false;
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
    Exporter(const IcsExportChoices& choices, const IcsStamp& stamp, SolarTermLookup* terms)
        : first_(std::max(choices.firstYear, kFirstLunarYear)),
          last_(std::min(choices.firstYear + std::max(choices.years, 1) - 1, kLastLunarYear)),
          stamp_(DateTimeValue(stamp.year, stamp.month, stamp.day, stamp.hour, stamp.minute, stamp.second) + "Z"),
          terms_(terms ? std::make_unique<RememberedTerms>(terms) : nullptr) {}

    void Festivals(const FestivalList& rules);
    void Memos(const ReminderList& memos);
    void SolarTerms();
    IcsExport Finish();

private:
    template <typename Visit>
    void EachDay(Visit visit) const {
        if (first_ > last_) return;
        const std::int64_t end = SerialFromCivil(last_, 12, 31);
        for (std::int64_t s = SerialFromCivil(first_, 1, 1); s <= end; ++s) {
            const CivilDate c = CivilFromSerial(s);
            visit(Day{c.year, c.month, c.day});
        }
    }
    void Begin(const std::string& uid, const std::string& summaryGbk) {
        out_.Line("BEGIN:VEVENT");
        out_.Line("UID:" + uid + kUidDomain);
        out_.Line("DTSTAMP:" + stamp_);
        out_.Line("SUMMARY:" + IcsEscapeText(utf8_.Utf8FromGbk(summaryGbk)));
        ++events_;
    }
    void AllDay(const Day& d) {
        const CivilDate next = CivilFromSerial(SerialFromCivil(d.year, d.month, d.day) + 1);
        out_.Line("DTSTART;VALUE=DATE:" + DateValue(d.year, d.month, d.day));
        out_.Line("DTEND;VALUE=DATE:" + DateValue(next.year, next.month, next.day));
        out_.Line("TRANSP:TRANSPARENT");
    }
    void MemoEvent(const Reminder& memo, const std::string& uid, const Day& d, const std::string& rrule);

    int first_, last_;
    std::string stamp_;
    std::unique_ptr<RememberedTerms> terms_;
    IcsWriter out_;
    TextConverter utf8_;
    UidMaker uids_;
    int events_ = 0;
};

void Exporter::Festivals(const FestivalList& rules) {
    struct Pending {
        std::string uid;
        bool plain;
        bool found = false;
        Day first{};
    };
    std::vector<FestivalList> single;
    std::vector<Pending> pending;
    for (const FestivalRule& rule : rules) {
        single.push_back(FestivalList{rule});
        pending.push_back(Pending{uids_.Base('f', RuleIdentity(rule)), IsPlainYearly(rule, first_)});
    }
    std::vector<std::pair<Day, std::size_t>> plainFirst;
    EachDay([&](const Day& d) {
        const FestivalDate date = MakeFestivalDate(d.year, d.month, d.day);
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
            Begin(p.uid + "-" + DateValue(d.year, d.month, d.day), matched[0].name + matched[0].suffix);
            AllDay(d);
            out_.Line("END:VEVENT");
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
        out_.Line(rrule);
        out_.Line("END:VEVENT");
    }
}

void Exporter::MemoEvent(const Reminder& memo, const std::string& uid, const Day& d, const std::string& rrule) {
    const std::string text = ReminderText(memo);
    Begin(uid, FirstLine(text));
    out_.Line("DTSTART:" + DateTimeValue(d.year, d.month, d.day, memo.start.hour, memo.start.minute, 0));
    if (FirstLine(text) != text) out_.Line("DESCRIPTION:" + IcsEscapeText(utf8_.Utf8FromGbk(text)));
    if (!rrule.empty()) out_.Line(rrule);
    std::int64_t lead = AlertLeadSeconds(memo.firstAlert);
    if (lead < 0) lead = AlertLeadSeconds(memo.secondAlert);
    if (lead >= 0) {
        out_.Line("BEGIN:VALARM");
        out_.Line("ACTION:DISPLAY");
        out_.Line("DESCRIPTION:" + IcsEscapeText(utf8_.Utf8FromGbk(FirstLine(text))));
        out_.Line("TRIGGER:" + IcsTriggerBefore(lead));
        out_.Line("END:VALARM");
    }
    out_.Line("END:VEVENT");
}

void Exporter::Memos(const ReminderList& memos) {
    for (const Reminder& memo : memos) {
        const std::string uid = uids_.Base('m', MemoIdentity(memo));
        // Repetitions a phone repeats the same way: Gregorian ones, and a
        // lunar daily memo, which is daily in any calendar.
        const bool gregorianRepeat =
            memo.calendar == kReminderGregorian && memo.repeat >= kRepeatDaily && memo.repeat <= kRepeatYearly;
        const bool lunarDaily = memo.calendar == kReminderLunar && memo.repeat == kRepeatDaily;
        const bool endIsReal = !memo.hasRepeatEnd || IsValidSystemTime(memo.repeatEnd);
        const bool repeating = (gregorianRepeat || lunarDaily) && endIsReal;
        bool found = false;
        Day first{};
        EachDay([&](const Day& d) {
            if (repeating && found) return;
            const LunarDate lunar = SolarToLunar(d.year, d.month, d.day);
            if (!ReminderOccursOn(memo, d.year, d.month, d.day, lunar)) return;
            if (repeating) {
                found = true;
                first = d;
            } else {
                MemoEvent(memo, uid + "-" + DateValue(d.year, d.month, d.day), d, "");
            }
        });
        if (!repeating || !found) continue;
        std::string rrule = "RRULE:FREQ=";
        Day start = first;
        switch (memo.repeat) {
            case kRepeatDaily:
                rrule += "DAILY";
                break;
            case kRepeatWeekly:
                rrule += "WEEKLY";
                break;
            case kRepeatBiweekly:
                rrule += "WEEKLY;INTERVAL=2";
                break;
            case kRepeatMonthly:
                rrule += "MONTHLY;BYMONTHDAY=" + std::to_string(memo.start.day);
                break;
            default:
                rrule += "YEARLY;BYMONTH=" + std::to_string(memo.start.month) +
                         ";BYMONTHDAY=" + std::to_string(memo.start.day);
        }
        // Weeks are counted from the memo's own start, so the series starts
        // there; every other repetition may start at its first date shown.
        if (memo.repeat == kRepeatWeekly || memo.repeat == kRepeatBiweekly) {
            start = Day{memo.start.year, memo.start.month, memo.start.day};
        }
        if (memo.hasRepeatEnd) {
            const SystemTime& e = memo.repeatEnd;
            rrule += ";UNTIL=" + DateTimeValue(e.year, e.month, e.day, e.hour, e.minute, e.second);
        }
        MemoEvent(memo, uid, start, rrule);
    }
}

void Exporter::SolarTerms() {
    if (!terms_) return;
    EachDay([&](const Day& d) {
        const std::string term = terms_->SolarTermOn(d.year, d.month, d.day);
        if (term.empty()) return;
        Begin("t" + DateValue(d.year, d.month, d.day), term);
        AllDay(d);
        out_.Line("END:VEVENT");
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
    result.text = head.text() + out_.text();
    result.text += IcsFoldLine("END:VCALENDAR");
    result.events = events_;
    return result;
}

}  // namespace

std::string IcsEscapeText(const std::string& utf8) {
    std::string out;
    for (const char c : utf8) {
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c != '\r') {
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

IcsExport ExportIcs(const FestivalList& festivals, const FestivalList& shipped, const ReminderList& memos,
                    SolarTermLookup* solarTerms, const IcsExportChoices& choices, const IcsStamp& stamp) {
    Exporter exporter(choices, stamp, solarTerms);
    if (choices.festivals) {
        FestivalList chosen;
        for (const FestivalRule& rule : festivals) {
            if (!choices.ownFestivalsOnly || !IsShipped(rule, shipped)) chosen.push_back(rule);
        }
        exporter.Festivals(chosen);
    }
    if (choices.memos) exporter.Memos(memos);
    if (choices.solarTerms) exporter.SolarTerms();
    return exporter.Finish();
}
