#include "ImageCompare.h"

#include <algorithm>
#include <cstdlib>

namespace orvane::test {

std::string Difference::describe() const {
    if (!sameSize) return "sizes differ";
    return std::to_string(differing) + " pixels differ, mean channel error " + std::to_string(meanError);
}

Difference compareImages(const platform::Image& actual, const platform::Image& golden, int tolerance) {
    Difference d;
    d.sameSize = !actual.isNull() && actual.size() == golden.size();
    if (!d.sameSize) return d;
    double total = 0;
    for (int32_t y = 0; y < actual.height(); ++y) {
        for (int32_t x = 0; x < actual.width(); ++x) {
            const uint32_t a = actual.pixel(x, y), g = golden.pixel(x, y);
            int worst = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const int diff = std::abs(int((a >> shift) & 0xFF) - int((g >> shift) & 0xFF));
                worst = std::max(worst, diff);
                total += diff;
            }
            if (worst > tolerance) ++d.differing;
        }
    }
    d.meanError = total / (4.0 * double(actual.width()) * double(actual.height()));
    return d;
}

}  // namespace orvane::ui::gallery::test
