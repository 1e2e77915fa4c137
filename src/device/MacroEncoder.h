#pragma once
// A macro in the mouse's form: a 512-byte image (09 90 slot count, then three-byte events) and
// the 25-byte chunks that upload it.
#include <array>
#include <cstdint>
#include <vector>

#include "device/CommandFrame.h"
#include "profile/MacroKey.h"

namespace orvane {

inline constexpr size_t kMacroImageSize = 512;
inline constexpr size_t kMacroHeaderSize = 4;
inline constexpr size_t kMacroChunkBytes = 25;
inline constexpr uint8_t kDelayActionCode = 3;  // what the editor writes; every code below 8 is a delay

using MacroImage = std::array<uint8_t, kMacroImageSize>;

// Encodes the macro's actions into events, with the command count of its actions (not the one
// the key carries) in byte 3. Encoding stops at the end of the image: a macro read from a file
// may hold more events than 508 bytes can take; such a macro is never uploaded.
MacroImage encodeMacro(const MacroKey& macro, uint8_t deviceSlot);

// One macro event for an action (code, state, amount) followed by a delay of delayMs.
std::array<uint8_t, 3> encodeEvent(uint8_t code, uint8_t state, uint8_t amount, uint32_t delayMs);

// The upload frames of an image, sized from the command count rather than from the events
// present. Bytes the count reaches beyond the image are sent as 0.
std::vector<Frame> macroChunkFrames(const MacroImage& image, uint8_t commandCount, uint8_t deviceSlot);

Frame dataChangeFrame(uint16_t counter);

// The button function that plays the macro in a device slot.
std::array<uint8_t, 3> macroKeyValue(uint8_t loopType, uint8_t loopNum, uint8_t deviceSlot);

}  // namespace orvane
