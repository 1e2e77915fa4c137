#include "app/DpiLevels.h"

namespace orvane {

int dpiLevelPosition(int b, uint32_t mask) {
    if (b < 0 || b > 3) return 0;
    int seen = 0;
    for (int bit = 0; bit < 32; ++bit) {
        if (!(mask & (1u << bit))) continue;
        if (seen == b) return bit;
        ++seen;
    }
    return 0;
}

std::optional<int> dpiLevelAfterToggle(int b, uint32_t maskBefore, int k, bool nowOn) {
    if (!nowOn && maskBefore == (1u << k)) return std::nullopt;
    const int q = dpiLevelPosition(b, maskBefore);
    if (nowOn) {
        if (q > k) ++b;
    } else if (q > k || (q == k && b > 0)) {
        --b;
    }
    return b;
}

}  // namespace orvane
