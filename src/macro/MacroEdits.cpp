#include "macro/MacroEdits.h"

#include <algorithm>

namespace orvane::macro {

namespace {
constexpr uint32_t kClickDelayMs = 50;
}

bool appendAction(MacroKey& key, const ActionBytes& action) {
    if (!key.InsertAction(key.ActionCount, actionValue(action))) return false;
    RecountCommands(key);
    return true;
}

ActionBytes actionAt(const MacroKey& key, uint32_t index) {
    if (index >= key.UsableActionCount()) return {};
    return key.GetActionBytes(index);
}

namespace {
InsertResult insertTap(MacroKey& key, uint8_t code) {
    if (CountMacroCommands(key) > kInsertCeiling) return InsertResult::Ceiling;
    // All three or none: half a click would leave a button held down in the mouse.
    if (key.UsableActionCount() + 3 > MacroKey::kSlotCount) return InsertResult::Full;
    appendAction(key, keyAction(code, false));
    appendAction(key, delayAction(kClickDelayMs));
    appendAction(key, keyAction(code, true));
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
    RecountCommands(key);
    return true;
}

bool editKeyCode(MacroKey& key, uint32_t index, uint8_t code) {
    ActionBytes a = actionAt(key, index);
    // A code below 8 would turn the key into a delay.
    if (index >= key.UsableActionCount() || isDelay(a) || isMouseAction(a) || IsDelayCode(code)) return false;
    a[0] = code;
    key.SetActionBytes(index, a);
    return true;
}

bool deleteAction(MacroKey& key, uint32_t index) {
    if (index >= key.UsableActionCount()) return false;
    if (!key.DeleteAction(index)) return false;
    RecountCommands(key);
    return true;
}

}  // namespace orvane::macro
