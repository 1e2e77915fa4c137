#pragma once
// Compares a drawn picture with its golden copy, allowing for the small differences of
// anti-aliasing between library versions.
#include <string>

#include "platform/Image.h"

namespace orvane::test {

struct Difference {
    bool sameSize = false;
    long differing = 0;      // pixels whose largest channel difference exceeds the tolerance
    double meanError = 0.0;  // mean absolute channel difference over all pixels, 0-255
    std::string describe() const;
};

// tolerance: largest channel difference that still counts as equal.
Difference compareImages(const platform::Image& actual, const platform::Image& golden, int tolerance);

}  // namespace orvane::ui::gallery::test
