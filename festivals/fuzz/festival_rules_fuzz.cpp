// libFuzzer target: festival files and rule codes from arbitrary bytes.
//
// Whatever the bytes, parsing, matching and describing must stay inside their
// buffers, and a rule read from a file must come back unchanged after it is
// written and read again (unless its line is too long for the line buffer).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "almanac/solar_term_lookup.h"
#include "festivals/festival_description.h"
#include "festivals/festival_editor_form.h"
#include "festivals/festival_file.h"
#include "festivals/festival_help_links.h"
#include "festivals/festival_matching.h"

namespace {

class EveryDayATerm : public SolarTermLookup {
public:
    std::string SolarTermOn(const Date& date) override {
        static const char* const kTerms[] = {"", "\xB6\xAC\xD6\xC1", "\xC7\xE5\xC3\xF7", "TERM"};
        return kTerms[(date.month() + date.day()) % 4];
    }
};

void Require(bool condition) {
    if (!condition) std::abort();
}

void Exercise(const FestivalList& list) {
    EveryDayATerm terms;
    static const int kDates[][3] = {{2013, 5, 12}, {2024, 2, 29}, {1901, 1, 1}, {2099, 12, 31}, {2023, 3, 31}};
    for (const auto& date : kDates) {
        const FestivalDate tested = MakeFestivalDate(*Date::FromCivil(date[0], date[1], date[2]));
        MatchFestivals(list, tested, &terms);
        MatchFestivals(list, tested, nullptr);
    }
    for (const FestivalRule& rule : list) {
        DescribeFestival(rule);
        FestivalHelpLinkFor(rule.name);
        Require(UpperCaseAscii(rule.dateRule).size() == rule.dateRule.size());
        // What the editor writes for a rule it opened, it opens and writes
        // again unchanged.
        FestivalRule edited = rule;
        if (ApplyEditorForm(EditorFormFromRule(rule), edited) == EditorRefusal::kNone) {
            FestivalRule again = edited;
            Require(ApplyEditorForm(EditorFormFromRule(edited), again) == EditorRefusal::kNone);
            Require(again == edited);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    // The bytes as a festival file.
    const FestivalList list = ParseFestivalFile(input);
    for (const FestivalRule& rule : list) {
        const std::string line = FormatFestivalLine(rule);
        if (line.size() + 1 > 2499) continue;
        const FestivalList again = ParseFestivalFile(FormatFestivalFile({rule}));
        Require(!again.empty() && again.front() == rule);
    }
    Exercise(list);

    // The bytes as the rule code of rules in both calendars.
    FestivalList codes(2);
    codes[0].calendar = "YL";
    codes[1].calendar = "NL";
    for (FestivalRule& rule : codes) {
        rule.kind = "SR";
        rule.dateRule = input;
        rule.startYear = input;
        rule.endDate = input;
    }
    Exercise(codes);
    return 0;
}
