#pragma once
// The editing rules of a macro's action list: inserts always go to the end, and every change of
// the actions recounts the command count (what the mouse is told to run) from the actions.
#include <cstdint>

#include "macro/MacroActions.h"
#include "profile/MacroCommands.h"
#include "profile/MacroKey.h"

namespace orvane::macro {

// A menu insert that adds two commands is refused above this count.
inline constexpr uint32_t kInsertCeiling = 166;
// A recording stops when an event arrives above this count.
inline constexpr uint32_t kRecordCeiling = 167;

// Appends an action and recounts; false when the key is full (nothing changes).
bool appendAction(MacroKey& key, const ActionBytes& action);

enum class InsertResult { Inserted, Ceiling, Full };

// Press, 50 ms, release of mouse button n (0 left, 1 right, 2 middle), two commands.
InsertResult insertClick(MacroKey& key, int button);
// Press, 50 ms, release of a key, two commands; the caller then lets the user pick the key.
InsertResult insertKeyTap(MacroKey& key, uint8_t code);

// Replaces the delay at index with ms (capped). A delay is no command of its own, so the count
// stays what the actions make. False when index holds no delay.
bool editDelay(MacroKey& key, uint32_t index, uint32_t ms);

// Gives the key action at index another code, keeping press or release. False when index
// holds a delay or a mouse action, or when the code is one that reads as a delay.
bool editKeyCode(MacroKey& key, uint32_t index, uint8_t code);

// Removes the action at index and recounts. False when there is no such action.
bool deleteAction(MacroKey& key, uint32_t index);

// The key's action at index as bytes; zeros beyond the last action.
ActionBytes actionAt(const MacroKey& key, uint32_t index);

}  // namespace orvane::macro
