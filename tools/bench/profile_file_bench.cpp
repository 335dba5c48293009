// The memo file is the largest profile file: one 20 114-character value per
// memo. Writing builds the whole document in memory and renders it once;
// reading parses once and decodes every record.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/profile_file.h"
#include "view/skin_template.h"

namespace {

constexpr std::size_t kRecordSize = 10056;

std::vector<std::uint8_t> Record(int i) {
    std::vector<std::uint8_t> record(kRecordSize);
    for (std::size_t b = 0; b < record.size(); ++b) record[b] = static_cast<std::uint8_t>(b * 13 + i);
    return record;
}

std::string ReminderFileText(int count) {
    ProfileDocument document;
    const std::vector<std::uint8_t> record = Record(0);
    for (int i = 0; i < count; ++i)
        ProfilePutStruct("ITEMS", "Item" + std::to_string(i), record.data(), record.size(), document);
    return document.Text();
}

void BM_WriteReminderDocument(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::vector<std::uint8_t> record = Record(1);
    for (auto _ : state) {
        ProfileDocument document;
        for (int i = 0; i < count; ++i)
            ProfilePutStruct("ITEMS", "Item" + std::to_string(i), record.data(), record.size(), document);
        benchmark::DoNotOptimize(document.Text());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_WriteReminderDocument)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_ReadReminderDocument(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string text = ReminderFileText(count);
    std::vector<std::uint8_t> record(kRecordSize);
    for (auto _ : state) {
        const ProfileDocument document(text);
        int read = 0;
        while (ProfileGetStruct("ITEMS", "Item" + std::to_string(read), record.data(), record.size(), document)) ++read;
        benchmark::DoNotOptimize(read);
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ReadReminderDocument)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_ReadSkinTemplate(benchmark::State& state) {
    std::string config = "[Settings]\r\nBODY=10,60,330,300\r\nLISTRECT=10,310,330,420\r\n";
    for (const char* element : {"YEARSHOW", "MONTHSHOW", "WEEKDAYROW", "DAYROW", "DAYROW2", "LISTITEM"})
        config += std::string(element) + "_FONT_FAMILY=Microsoft YaHei\r\n" + element + "_FONT_SIZE=14\r\n" + element +
                  "_FONT_COLOR=20,30,40\r\n" + element + "_FONT_SHADOW=255,255,255\r\n";
    for (auto _ : state) benchmark::DoNotOptimize(ReadSkinTemplate(ProfileDocument(config), nullptr));
}
BENCHMARK(BM_ReadSkinTemplate)->Unit(benchmark::kMicrosecond);

// The worst a file within the size limit can do: 1 MiB of the shortest key
// lines, as a damaged or hostile skin may hold.
void BM_ParseProfileOfShortLines(benchmark::State& state) {
    std::string text = "[Settings]\r\n";
    while (text.size() + 5 <= kProfileFileLimit) text += "a=1\r\n";
    for (auto _ : state) benchmark::DoNotOptimize(ProfileDocument(text).Find("Settings", "b"));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseProfileOfShortLines)->Unit(benchmark::kMillisecond);

}  // namespace
