#include "profile/MacroKey.h"

#include <algorithm>

namespace orvane {

bool MacroKey::SetAction(uint32_t i, uint32_t value) {
    if (i >= kSlotCount) return false;
    Actions[i] = value;
    return true;
}

bool MacroKey::InsertAction(uint32_t i, uint32_t value) {
    if (ActionCount >= kSlotCount) return false;
    const uint32_t pos = std::min(i, ActionCount);
    if (pos < ActionCount) {
        std::copy_backward(Actions.begin() + pos, Actions.end() - 1, Actions.end());
    }
    Actions[pos] = value;
    ++ActionCount;
    return true;
}

bool MacroKey::DeleteAction(uint32_t i) {
    // ActionCount may come from a file unchecked; never shift beyond the slots that exist.
    if (i >= ActionCount || i >= kSlotCount) return false;
    std::copy(Actions.begin() + i + 1, Actions.end(), Actions.begin() + i);
    Actions[kSlotCount - 1] = 0;
    --ActionCount;
    return true;
}

uint32_t MacroKey::GetAction(uint32_t i) const {
    return i < kSlotCount ? Actions[i] : Actions[0];
}

std::array<uint8_t, 4> MacroKey::GetActionBytes(uint32_t i) const {
    const uint32_t v = GetAction(i);
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

void MacroKey::SetActionBytes(uint32_t i, const std::array<uint8_t, 4>& b) {
    SetAction(i, uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

}  // namespace orvane
