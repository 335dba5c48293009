// libFuzzer target: holiday schedule files from arbitrary bytes.
//
// Whatever the bytes, reading must stay inside its buffers, and days added by
// the download must follow the file's own bytes unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/text_file_encoding.h"
#include "holidays/holiday_schedule.h"
#include "holidays/holiday_schedule_file.h"
#include "holidays/holiday_schedule_texts.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string contents(reinterpret_cast<const char*>(data), size);
    const HolidayScheduleFile file = ParseHolidaySchedule(contents);
    for (const OffDay& day : file.schedule.Days()) Require(day.date.year() >= 1901 && day.date.year() <= 2099);
    HolidayPeriods(file.schedule);
    CoveredYearsText(file.schedule);
    if (DecodeTextFile(contents).encoding == TextFileEncoding::kUnreadable) return 0;

    OffDay added;
    added.date = *Date::FromCivil(2099, 12, 31);
    added.name = "x";
    const std::string appended = AppendOffDays(contents, {added});
    Require(appended.size() > contents.size() && appended.compare(0, contents.size(), contents) == 0);
    ParseHolidaySchedule(appended);
    return 0;
}
