#include "macro/MacroEdits.h"

#include <algorithm>

namespace orvane::macro {

namespace {
constexpr uint32_t kClickDelayMs = 50;
}

int delayEditCommandDelta(uint32_t oldMs, uint32_t newMs) {
    const bool wasLong = oldMs > kDelayCommandThresholdMs;
    const bool isLong = newMs > kDelayCommandThresholdMs;
    return wasLong == isLong ? 0 : (isLong ? 1 : -1);
}

void adjustCommandCount(MacroKey& key, int delta) {
    // A count read from a file may already be off; it must never wrap around.
    key.CommandActionNum = uint8_t(std::clamp(int(key.CommandActionNum) + delta, 0, 255));
}

bool appendAction(MacroKey& key, const ActionBytes& action) {
    return key.InsertAction(key.ActionCount, actionValue(action));
}

ActionBytes actionAt(const MacroKey& key, uint32_t index) {
    if (index >= key.UsableActionCount()) return {};
    return key.GetActionBytes(index);
}

namespace {
InsertResult insertTap(MacroKey& key, uint8_t code) {
    if (key.CommandActionNum > kInsertCeiling) return InsertResult::Ceiling;
    // All three or none: half a click would leave a button held down in the mouse.
    if (key.UsableActionCount() + 3 > MacroKey::kSlotCount) return InsertResult::Full;
    appendAction(key, keyAction(code, false));
    appendAction(key, delayAction(kClickDelayMs));
    appendAction(key, keyAction(code, true));
    adjustCommandCount(key, 2);
    return InsertResult::Inserted;
}
}  // namespace

InsertResult insertClick(MacroKey& key, int button) {
    return insertTap(key, uint8_t(kLeftButton + std::clamp(button, 0, 2)));
}

InsertResult insertKeyTap(MacroKey& key, uint8_t code) { return insertTap(key, code); }

bool editDelay(MacroKey& key, uint32_t index, uint32_t ms) {
    const ActionBytes old = actionAt(key, index);
    if (index >= key.UsableActionCount() || !isDelay(old)) return false;
    ms = std::min(ms, kMaxDelayMs);
    key.SetActionBytes(index, delayAction(ms));
    adjustCommandCount(key, delayEditCommandDelta(delayOf(old), ms));
    return true;
}

bool editKeyCode(MacroKey& key, uint32_t index, uint8_t code) {
    ActionBytes a = actionAt(key, index);
    if (index >= key.UsableActionCount() || isDelay(a) || isMouseAction(a)) return false;
    a[0] = code;
    key.SetActionBytes(index, a);
    return true;
}

bool deleteAction(MacroKey& key, uint32_t index) {
    if (index >= key.UsableActionCount()) return false;
    const ActionBytes a = actionAt(key, index);
    if (!key.DeleteAction(index)) return false;
    if (!isDelay(a)) adjustCommandCount(key, -1);
    return true;
}

}  // namespace orvane::macro
