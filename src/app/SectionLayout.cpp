#include "app/SectionLayout.h"

namespace orvane {

const SectionInfo& sectionInfo(Section s) { return kSections[std::size_t(s)]; }

int sectionForHeader(uint32_t headerId) {
    for (int i = 0; i < kSectionCount; ++i)
        if (kSections[std::size_t(i)].headerId == headerId) return i;
    return -1;
}

int32_t headerTop(Section s, const OpenSections& open, bool liftOffShown) {
    auto o = [&](Section x) { return open[std::size_t(x)] ? 1 : 0; };
    const int32_t k = liftOffShown ? 30 : 0;
    const int32_t D = 196 * o(Section::Dpi), P = 85 * o(Section::Polling), F = 85 * o(Section::LiftOff),
                  S = 110 * o(Section::Sleep), B = 85 * o(Section::Debounce);
    switch (s) {
        case Section::Dpi: return 37;
        case Section::Polling: return 67 + D;
        case Section::LiftOff: return 97 + D + P;
        case Section::Sleep: return 97 + k + D + P + F;
        case Section::Debounce: return 127 + k + D + P + F + S;
        case Section::Pointer: return 157 + k + D + P + F + S + B;
    }
    return 37;
}

OpenSections afterHeaderToggled(Section toggled, OpenSections open) {
    if (!open[std::size_t(toggled)]) return open;
    bool keptOne = false;
    for (int i = 0; i < kSectionCount; ++i) {
        if (i == int(toggled) || !open[std::size_t(i)]) continue;
        if (keptOne) open[std::size_t(i)] = false;
        keptOne = true;
    }
    return open;
}

}  // namespace orvane
