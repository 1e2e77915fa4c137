#include "device/MacroEncoder.h"

#include <algorithm>

#include "device/KeyTables.h"
#include "profile/MacroCommands.h"

namespace orvane {

namespace {

struct ActionBytes {
    uint8_t code, state, b2, amount;
};

ActionBytes unpack(uint32_t v) {
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
            static_cast<uint8_t>(v >> 24)};
}

}  // namespace

namespace {

// The event of an action whose key has HID usage u.
inline std::array<uint8_t, 3> eventOf(uint8_t u, uint8_t state, uint8_t amount, uint32_t delayMs) {
    const uint32_t d = PlayedDelayMs(delayMs);
    uint8_t type = 0;
    uint8_t c = u;
    if (u <= 0x90) {
        type = 0x30;
    } else if (u <= 0xE7) {
        type = 0x20;
        c = static_cast<uint8_t>(1u << (u & 7));
    } else if (u >= 0xF0 && u <= 0xF4) {
        type = 0x10;
        c = static_cast<uint8_t>(1u << (u & 7));
    } else if (u == 0xF5) {
        type = 0x40;
        c = amount;
    } else if (u == 0xF6) {
        type = 0x50;
        c = amount;
    } else if (u == 0xF7) {
        type = 0x60;
        c = amount;
    }
    const uint8_t a = static_cast<uint8_t>(((d >> 8) & 0x0F) | (state & 0x80) | type);
    return {a, static_cast<uint8_t>(d & 0xFF), c};
}

}  // namespace

std::array<uint8_t, 3> encodeEvent(uint8_t code, uint8_t state, uint8_t amount, uint32_t delayMs) {
    return eventOf(keyUsage(code), state, amount, delayMs);
}

MacroImage encodeMacro(const MacroKey& macro, uint8_t deviceSlot) {
    MacroImage img{};
    img[0] = 0x09;
    img[1] = 0x90;
    img[2] = deviceSlot;
    // The count the mouse runs is the number of events made here, whatever the key claims.
    img[3] = static_cast<uint8_t>(std::min(CountMacroCommands(macro), 255u));
    size_t pos = kMacroHeaderSize;
    const uint32_t count = macro.UsableActionCount();
    const auto& usages = keyUsages();
    for (uint32_t i = 0; i < count && pos + 3 <= img.size(); ++i) {
        const ActionBytes a = unpack(macro.Actions[i]);
        if (IsDelayCode(a.code)) continue;
        uint32_t delay = 0;
        if (i + 1 < count && IsDelayCode(uint8_t(macro.Actions[i + 1])))
            delay = StoredDelayMs(macro.Actions[i + 1]);
        const auto ev = eventOf(usages[a.code], a.state, a.amount, delay);
        img[pos] = ev[0];
        img[pos + 1] = ev[1];
        img[pos + 2] = ev[2];
        pos += 3;
    }
    return img;
}

std::vector<Frame> macroChunkFrames(const MacroImage& image, uint8_t commandCount, uint8_t deviceSlot) {
    const size_t total = 3 * size_t(commandCount);
    size_t chunks = (total + kMacroChunkBytes - 1) / kMacroChunkBytes;
    if (chunks == 0) chunks = 1;
    size_t remaining = total;
    std::vector<Frame> frames;
    frames.reserve(chunks);
    for (size_t c = 0; c < chunks; ++c) {
        uint8_t length;
        if (remaining > kMacroChunkBytes) {
            length = kMacroChunkBytes + 1;
            remaining -= kMacroChunkBytes;
        } else {
            length = static_cast<uint8_t>(remaining + 1);
        }
        // The chunk position keeps only four bits of index and count; the firmware takes it so.
        const uint8_t position = static_cast<uint8_t>((c << 4) | (chunks & 0x0F));
        Frame f = makeFrame(Command::MacroData, 0, position, length);
        f[kPayloadOffset] = deviceSlot;
        const size_t from = kMacroHeaderSize + kMacroChunkBytes * c;
        for (size_t k = 0; k + 1 < length && from + k < image.size(); ++k) f[kPayloadOffset + 1 + k] = image[from + k];
        frames.push_back(f);
    }
    return frames;
}

Frame dataChangeFrame(uint16_t counter) {
    const uint8_t payload[2] = {static_cast<uint8_t>(counter & 0xFF), static_cast<uint8_t>(counter >> 8)};
    return makeFrame(Command::DataChange, 0, 1, 2, payload);
}

std::array<uint8_t, 3> macroKeyValue(uint8_t loopType, uint8_t loopNum, uint8_t deviceSlot) {
    return {0x90, static_cast<uint8_t>((loopType << 4) | (deviceSlot & 0x0F)),
            static_cast<uint8_t>(loopType == 2 ? loopNum : 0)};
}

}  // namespace orvane
