// Festival rules for the tests. A sample starts as the editor saves a new
// rule (a festival, switched on, listed among the coming days and announced
// in the notification window, with no start year, end date or sound) and
// each test changes what it is about:
//   FestivalRule rule = FestivalSample("NL", "8-15").Name("中秋节").StartYear("2000");
#pragma once

#include <string>

#include "festivals/festival_rule.h"

class FestivalSample {
public:
    FestivalSample(const std::string& calendar, const std::string& dateRule) {
        rule_.calendar = calendar;
        rule_.kind = kFestivalKind;
        rule_.dateRule = dateRule;
        rule_.name = "节日";
        rule_.enabled = "1";
        rule_.showInForenotice = "1";
        rule_.showReminderWindow = "1";
    }

    FestivalSample& Kind(const std::string& kind) { return Set(rule_.kind, kind); }
    FestivalSample& Name(const std::string& name) { return Set(rule_.name, name); }
    FestivalSample& StartYear(const std::string& year) { return Set(rule_.startYear, year); }
    FestivalSample& EndDate(const std::string& date) { return Set(rule_.endDate, date); }
    FestivalSample& Enabled(const std::string& enabled) { return Set(rule_.enabled, enabled); }
    FestivalSample& Sound(const std::string& file) { return Set(rule_.soundFile, file); }
    FestivalSample& ListedAhead(const std::string& flag) { return Set(rule_.showInForenotice, flag); }
    FestivalSample& Announced(const std::string& flag) { return Set(rule_.showReminderWindow, flag); }
    FestivalSample& Suffix(const std::string& suffix) { return Set(rule_.suffix, suffix); }

    operator FestivalRule() const { return rule_; }

private:
    FestivalSample& Set(std::string& field, const std::string& value) {
        field = value;
        return *this;
    }

    FestivalRule rule_;
};

// A festival as matching hands it to a day: its name and suffix are what the
// month, the list and the notices show.
inline FestivalRule MatchedFestival(const std::string& name, const std::string& suffix = "") {
    return FestivalSample("YL", "1-1").Name(name).Suffix(suffix);
}
