#include "festivals/festival_rule.h"

#include "base/gbk_scan.h"

#include <climits>
#include <cstdio>

const char kGregorianCalendar[] = "YL";
const char kLunarCalendar[] = "NL";
const char kFestivalKind[] = "JR";
const char kAnniversaryKind[] = "JNR";
const char kBirthdayKind[] = "SR";

const char kMsdMarker[] = "MSD:";
const char kOffsetMarker[] = "OFFSET:";
const char kSolarTermOffsetMarker[] = "OFFSETJQ:";
const char kLeapMonthMarker[] = "闰";

namespace {

using FieldPointer = std::string FestivalRule::*;
constexpr FieldPointer kFields[FestivalRule::kFieldCount] = {
    &FestivalRule::calendar,         &FestivalRule::kind,
    &FestivalRule::dateRule,         &FestivalRule::name,
    &FestivalRule::startYear,        &FestivalRule::endDate,
    &FestivalRule::soundFile,        &FestivalRule::enabled,
    &FestivalRule::showInForenotice, &FestivalRule::showReminderWindow,
    &FestivalRule::suffix,
};

bool IsScanSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Reads a text the way sscanf reads the rule patterns: literal characters must
// match exactly, %d skips white space and takes a sign and at least one digit,
// %s skips white space and takes everything up to the next white space. The
// text ends at its first NUL, as a C string would.
class PatternScanner {
public:
    explicit PatternScanner(const std::string& text) : text_(text), end_(text.find('\0')) {
        if (end_ == std::string::npos) end_ = text.size();
    }

    bool Literal(const char* expected) {
        for (; *expected; ++expected, ++pos_) {
            if (pos_ >= end_ || text_[pos_] != *expected) return false;
        }
        return true;
    }

    bool Integer(int& value) {
        SkipSpace();
        bool negative = false;
        if (pos_ < end_ && (text_[pos_] == '+' || text_[pos_] == '-')) negative = text_[pos_++] == '-';
        if (pos_ >= end_ || !IsDigit(text_[pos_])) return false;
        long long magnitude = 0;
        while (pos_ < end_ && IsDigit(text_[pos_])) {
            if (magnitude <= static_cast<long long>(INT_MAX) + 1) magnitude = magnitude * 10 + (text_[pos_] - '0');
            ++pos_;
        }
        const long long signedValue = negative ? -magnitude : magnitude;
        value = signedValue > INT_MAX ? INT_MAX : signedValue < INT_MIN ? INT_MIN : static_cast<int>(signedValue);
        return true;
    }

    // A word of at most maxBytes bytes; a longer one is refused whole rather
    // than cut, so it can never pass for a shorter name.
    bool Word(std::string& word, std::size_t maxBytes) {
        SkipSpace();
        const std::size_t start = pos_;
        while (pos_ < end_ && !IsScanSpace(text_[pos_])) ++pos_;
        if (pos_ == start || pos_ - start > maxBytes) return false;
        word.assign(text_, start, pos_ - start);
        return true;
    }

private:
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    void SkipSpace() {
        while (pos_ < end_ && IsScanSpace(text_[pos_])) ++pos_;
    }

    const std::string& text_;
    std::size_t end_;
    std::size_t pos_ = 0;
};

bool Contains(const std::string& text, const char* marker) { return text.find(marker) != std::string::npos; }

// A rule written as its marker and then its fields: `fields` scans what
// follows the marker into a rule of its own, which becomes `rule` only when
// the whole pattern is there.
template <typename Rule, typename Fields>
bool ReadMarkedRule(const std::string& text, const char* marker, Rule& rule, Fields fields) {
    if (!Contains(text, marker)) return false;
    PatternScanner scan(text);
    Rule read;
    if (!(scan.Literal(marker) && fields(scan, read))) return false;
    rule = read;
    return true;
}

std::string Printed(const char* pattern, int a, int b, int c) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return buffer;
}

}  // namespace

std::string& FestivalRule::Field(std::size_t index) { return this->*kFields[index]; }
const std::string& FestivalRule::Field(std::size_t index) const { return this->*kFields[index]; }

bool FestivalRule::operator==(const FestivalRule& other) const {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (Field(i) != other.Field(i)) return false;
    }
    return true;
}

std::string KindText(const std::string& kind) {
    if (kind == kFestivalKind) return "节日";
    if (kind == kAnniversaryKind) return "纪念日";
    if (kind == kBirthdayKind) return "生日";
    return std::string();
}

std::string CalendarText(const std::string& calendar) { return calendar == kGregorianCalendar ? "阳历" : "旧历"; }

bool HasMsdMarker(const std::string& text) { return Contains(text, kMsdMarker); }
bool HasOffsetMarker(const std::string& text) { return Contains(text, kOffsetMarker); }
bool HasSolarTermOffsetMarker(const std::string& text) { return Contains(text, kSolarTermOffsetMarker); }

bool ReadMsdRule(const std::string& text, MsdRule& rule) {
    return ReadMarkedRule(text, kMsdMarker, rule, [](PatternScanner& scan, MsdRule& read) {
        return scan.Integer(read.month) && scan.Literal(":") && scan.Integer(read.n) && scan.Literal(":") &&
               scan.Integer(read.weekday);
    });
}

bool ReadOffsetRule(const std::string& text, OffsetRule& rule) {
    return ReadMarkedRule(text, kOffsetMarker, rule, [](PatternScanner& scan, OffsetRule& read) {
        return scan.Integer(read.n) && scan.Literal(":") && scan.Integer(read.month) && scan.Literal("-") &&
               scan.Integer(read.day);
    });
}

bool ReadSolarTermOffsetRule(const std::string& text, SolarTermOffsetRule& rule) {
    return ReadMarkedRule(text, kSolarTermOffsetMarker, rule, [](PatternScanner& scan, SolarTermOffsetRule& read) {
        return scan.Integer(read.n) && scan.Literal(":") && scan.Word(read.term, kMaxSolarTermBytes);
    });
}

bool ReadFixedDateRule(const std::string& text, FixedDateRule& rule) {
    PatternScanner scan(text);
    FixedDateRule read;
    read.leapMonth = text.rfind(kLeapMonthMarker, 0) == 0;
    if (read.leapMonth) scan.Literal(kLeapMonthMarker);
    if (!(scan.Integer(read.month) && scan.Literal("-") && scan.Integer(read.day))) return false;
    rule = read;
    return true;
}

bool ReadYearMonthDay(const std::string& text, int& year, int& month, int& day) {
    PatternScanner scan(text);
    int y = 0, m = 0, d = 0;
    if (!(scan.Integer(y) && scan.Literal("-") && scan.Integer(m) && scan.Literal("-") && scan.Integer(d))) {
        return false;
    }
    year = y;
    month = m;
    day = d;
    return true;
}

std::string MsdRuleCode(int month, int n, int weekday) { return Printed("MSD:%d:%d:%d", month, n, weekday); }
std::string OffsetRuleCode(int n, int month, int day) { return Printed("OFFSET:%d:%d-%d", n, month, day); }
std::string SolarTermOffsetRuleCode(int n, const std::string& term) { return Printed("OFFSETJQ:%d:", n, 0, 0) + term; }
std::string FixedDateRuleCode(int month, int day, bool leapMonth) {
    return (leapMonth ? kLeapMonthMarker : "") + Printed("%d-%d", month, day, 0);
}

std::string UpperCaseAscii(const std::string& gbk) {
    std::string upper = gbk;
    for (std::size_t i = 0; i < upper.size(); i += GbkCharLength(upper, i)) {
        const char c = upper[i];
        if (c >= 'a' && c <= 'z') upper[i] = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

int LeadingInteger(const std::string& text) {
    PatternScanner scan(text);
    int value = 0;
    return scan.Integer(value) ? value : 0;
}
