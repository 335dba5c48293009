#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "base/file_system.h"
#include "view/png_picture.h"

// The shipped Default skin's background decoded by the program, the file
// already read: the small picture (100 %, 150 %) and the double-size one
// (175 % and more), 8-bit RGBA with long runs.
namespace {

void BM_DecodeSkinPicture(benchmark::State& state, const char* name) {
    const std::filesystem::path path =
        std::filesystem::path(SOLVANE_SOURCE_DIR) / "data" / "Ostrel" / "Templates" / "Default" / name;
    std::string file;
    if (!ReadWholeFile(path, file)) {
        state.SkipWithError("no picture file");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(DecodePng(file));
}

BENCHMARK_CAPTURE(BM_DecodeSkinPicture, backgroud, "backgroud.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DecodeSkinPicture, backgroud_2x, "backgroud@2x.png")->Unit(benchmark::kMillisecond);

}  // namespace
