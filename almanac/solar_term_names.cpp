#include "almanac/solar_term_names.h"

namespace {

constexpr const char* kNames[kSolarTermCount] = {
    "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至", "小暑", "大暑",
    "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒",
};

}  // namespace

std::string SolarTermName(int index) { return index >= 0 && index < kSolarTermCount ? kNames[index] : ""; }

int SolarTermIndex(const std::string& name) {
    for (int i = 0; i < kSolarTermCount; ++i) {
        if (name == kNames[i]) return i;
    }
    return -1;
}

int SolarTermLongitude(int index) { return (315 + 15 * index) % 360; }
