#include "calendar/sexagenary_cycle.h"

namespace {

constexpr const char* kStems[10] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
constexpr const char* kBranches[12] = {"子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};

int Mod(std::int64_t a, int m) {
    const int r = static_cast<int>(a % m);
    return r < 0 ? r + m : r;
}

template <int N>
int IndexIn(const char* const (&names)[N], const std::string& name) {
    for (int i = 0; i < N; ++i) {
        if (name == names[i]) return i;
    }
    return -1;
}

}  // namespace

bool operator==(const GanZhi& a, const GanZhi& b) { return a.stem == b.stem && a.branch == b.branch; }

int CycleIndex(const GanZhi& g) {
    const int stem = Mod(g.stem, 10), branch = Mod(g.branch, 12);
    if (stem % 2 != branch % 2) return 0;
    // The n with n = stem (mod 10) and n = branch (mod 12): 6 stem - 5 branch
    // is both once stem and branch share their parity.
    return Mod(6 * stem - 5 * branch, 60);
}

GanZhi FromCycleIndex(std::int64_t index) {
    const int n = Mod(index, 60);
    return GanZhi{n % 10, n % 12};
}

std::string StemName(int stem) { return kStems[Mod(stem, 10)]; }
std::string BranchName(int branch) { return kBranches[Mod(branch, 12)]; }
std::string GanZhiName(const GanZhi& g) { return StemName(g.stem) + BranchName(g.branch); }

int StemIndex(const std::string& name) { return IndexIn(kStems, name); }
int BranchIndex(const std::string& name) { return IndexIn(kBranches, name); }
